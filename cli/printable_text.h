// Names read from files (a battle list, for one) printed as lines for people and scripts:
// a name holding a line break, a carriage return or an escape sequence would otherwise
// forge lines or drive the terminal. Control characters are escaped instead.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::cli {

// `text` with TAB, LF and CR written "\t", "\n" and "\r", every other control character
// (C0, DEL, and C1 encoded in UTF-8) as "\xHH" with its code, and a backslash as "\\",
// so the printed text says unambiguously what the name holds. Letters, Latin-1 and
// every other UTF-8 text stay as they are.
std::string PrintableText(std::string_view text);

}  // namespace vantrel::cli
