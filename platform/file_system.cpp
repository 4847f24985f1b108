// The process-wide file system: the native backend, or a stand-in that a test installed
// to reach failures a healthy disk never shows.
#include "platform/file_system.h"

namespace vantrel::platform {

template <>
FileSystem& Service<FileSystem>::Default() {
  return NativeFileSystem();
}

// A backend that gains nothing from moving many files at once moves them one by one.
std::vector<bool> FileSystem::MoveFiles(const std::string& fromFolder,
                                        const std::vector<std::string>& names,
                                        const std::string& toFolder) {
  std::vector<bool> moved;
  moved.reserve(names.size());
  for (const std::string& name : names) {
    moved.push_back(MoveFile(fromFolder + name, toFolder + name));
  }
  return moved;
}

bool CanOpenForReading(const std::string& path) {
  return Files().Open(path, OpenMode::Read) != nullptr;
}

}  // namespace vantrel::platform
