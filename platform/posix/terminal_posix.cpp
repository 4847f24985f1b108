// A terminal on POSIX: file descriptor 2 is a tty.
#include "platform/terminal.h"

#include <unistd.h>

namespace vantrel::platform {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace vantrel::platform
