// A terminal on Windows: the error handle is a console. A pipe or a file (and the pipes
// of terminals that emulate a console) has no console mode.
#include "platform/terminal.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform {

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace vantrel::platform
