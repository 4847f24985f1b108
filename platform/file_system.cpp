// The process-wide file system: the native backend, or a stand-in that a test installed
// to reach failures a healthy disk never shows.
#include "platform/file_system.h"

namespace vantrel::platform {

template <>
FileSystem& Service<FileSystem>::Default() {
  return NativeFileSystem();
}

bool CanOpenForReading(const std::string& path) {
  return Files().Open(path, OpenMode::Read) != nullptr;
}

}  // namespace vantrel::platform
