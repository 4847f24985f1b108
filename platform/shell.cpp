// The process-wide shell: the native backend, or a stand-in a test installed.
#include "platform/shell.h"

namespace vantrel::platform {
namespace {

// Empty while the native backend is in use; one thread uses it.
Shell* installed = nullptr;

}  // namespace

Shell& DesktopShell() { return installed != nullptr ? *installed : NativeShell(); }

Shell* UseShell(Shell* shell) {
  Shell* previous = installed;
  installed = shell;
  return previous;
}

}  // namespace vantrel::platform
