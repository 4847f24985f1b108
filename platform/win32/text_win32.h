// Text at the edge of the Win32 API: the rest of the system speaks UTF-8, the wide
// Windows calls speak UTF-16. Every conversion of the Windows backend goes through here,
// and so does the one translation of a Win32 error code into words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::platform::win32 {

// UTF-16 for a UTF-8 text; empty when the text is not valid UTF-8, so that a mangled
// name can never reach the file system or the registry as some other name.
std::optional<std::wstring> Widen(std::string_view utf8);

// The wide form of a path, or nothing when the path is over the 259-character limit, is
// not valid UTF-8 or holds a NUL (which would end it early and name another file). Every
// path goes through here before a Win32 call touches anything.
std::optional<std::wstring> WidePath(std::string_view path);

// The wide form of a text shown in a window (a message, a control's text, a template
// name); empty when it is not valid UTF-8.
std::wstring WideText(std::string_view text);

// UTF-8 for a UTF-16 text. A lone surrogate (possible in names on disk) becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

// The system's own description of a Win32 error code (as GetLastError returns it),
// without the period and line break Windows appends; "error N" when the system has none.
std::string ErrorText(unsigned long code);

}  // namespace vantrel::platform::win32
