// The process-wide file system: the native backend, or a stand-in that a test installed
// to reach failures a healthy disk never shows.
#include "platform/file_system.h"

namespace vantrel::platform {
namespace {

// Empty while the native backend is in use. One thread uses the launcher's code, so a
// plain pointer is enough.
FileSystem* installed = nullptr;

}  // namespace

FileSystem& Files() { return installed != nullptr ? *installed : NativeFileSystem(); }

// Hands back exactly what was installed before (nullptr for the native backend), so
// that installing the result again restores the earlier state.
FileSystem* UseFileSystem(FileSystem* fileSystem) {
  FileSystem* previous = installed;
  installed = fileSystem;
  return previous;
}

bool CanOpenForReading(const std::string& path) {
  return Files().Open(path, OpenMode::Read) != nullptr;
}

}  // namespace vantrel::platform
