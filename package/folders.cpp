#include "package/folders.h"

#include "platform/file_helpers.h"

namespace vantrel {
namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

}  // namespace

bool CreateParentFolder(const std::string& filePath) {
  const std::size_t separator = LastSeparator(filePath);
  if (separator == std::string::npos) return false;
  if (separator == 0) return true;
  return platform::CreateFolders(filePath.substr(0, separator));
}

bool SetFileTimeFromDos(const std::string& path, std::uint32_t dosDateTime) {
  auto file = platform::Files().Open(path, platform::OpenMode::ReadWrite);
  return file != nullptr && SetFileTimeFromDos(*file, dosDateTime);
}

bool SetFileTimeFromDos(platform::File& file, std::uint32_t dosDateTime) {
  const std::optional<platform::FileTime> time = platform::LocalDosDateTimeToFileTime(dosDateTime);
  if (!time) return false;
  platform::FileTimes times;
  times.creation = *time;
  times.lastWrite = *time;
  return file.SetTimes(times);
}

}  // namespace vantrel
