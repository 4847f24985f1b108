// Whether the program's error output goes to a terminal a person watches, where a
// progress bar redrawn in place makes sense, rather than into a file or a pipe.
#pragma once

namespace vantrel::platform {

bool StandardErrorIsTerminal();

}  // namespace vantrel::platform
