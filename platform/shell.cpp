// The process-wide shell answers with the native backend until another is installed.
#include "platform/shell.h"

namespace vantrel::platform {

template <>
Shell& Service<Shell>::Default() {
  return NativeShell();
}

}  // namespace vantrel::platform
