#include "package/folders.h"

#include "platform/file_system.h"

namespace vantrel {
namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

}  // namespace

bool CreateFolderPath(const std::string& path) {
  if (path.empty()) return false;
  switch (platform::Files().Kind(path)) {
    case platform::PathKind::Folder:
      return true;
    case platform::PathKind::File:
      return false;
    case platform::PathKind::Missing:
      break;
  }
  const std::size_t separator = LastSeparator(path);
  if (separator == std::string::npos) return true;
  // A separator at the very start (a POSIX root, or a path on the current drive) has
  // nothing above it to create.
  if (separator > 0 && !CreateFolderPath(path.substr(0, separator))) return false;
  return platform::Files().CreateFolder(path);
}

bool CreateParentFolder(const std::string& filePath) {
  const std::size_t separator = LastSeparator(filePath);
  if (separator == std::string::npos) return false;
  if (separator == 0) return true;
  return CreateFolderPath(filePath.substr(0, separator));
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
