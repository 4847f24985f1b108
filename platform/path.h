// Paths as the launcher composes them: a folder from the settings store followed by a
// literal that begins with a backslash ("\Temp", "\KZMISS\Battle.kzb"). Every path is
// held to the 259 characters that the games' Windows tools accept; the limit is checked
// here and nowhere else, before any file is touched.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::platform {

// The longest path the system builds, in characters (a 260-character buffer with its
// terminator on Windows).
inline constexpr std::size_t kMaxPathLength = 259;

// Number of characters (UTF-16 code units, as Windows counts them) in UTF-8 text.
std::size_t CountPathCharacters(std::string_view utf8);

// True when the path fits the limit above.
bool PathFitsLimit(std::string_view path);

// The text before the last backslash or slash ("C:\Battles\b1.kzm" gives "C:\Battles",
// "D:\b1.kzm" gives "D:"); empty when there is no separator.
std::string_view FolderPart(std::string_view path);

// The text after the last backslash or slash; the whole path when there is none.
std::string_view FileNamePart(std::string_view path);

// ASCII and Latin-1 letters folded to upper case, as the file systems the games run on
// compare names; other characters are left as they are.
std::string FoldCase(std::string_view utf8);

// A path as it is shown to the user: every separator the system's own ('/' on POSIX,
// where the launcher's backslashes stand for it; '\' on Windows).
std::string WithNativeSeparators(std::string_view path);

// Case-insensitive equality of two names, by the folding above.
bool NamesEqual(std::string_view a, std::string_view b);

// Windows wildcard matching for directory searches: '*' matches any run of characters,
// '?' one character, letter case is ignored, and a pattern ending in ".*" also matches
// names without a dot ("*.*" matches every name).
bool WildcardMatch(std::string_view pattern, std::string_view name);

// True for a name that Windows takes as a device rather than a file, in any letter case
// and with or without an extension: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9
// ("nul.txt" opens the null device, not a file).
bool IsDeviceName(std::string_view name);

// Why `name` cannot be the name of a file the system writes into a folder it joins the
// name to, or nothing when it can be: a device name (on every system, as battles and
// pilots are made for Windows), a character Windows refuses in a file name (a control
// character, * ? " < > | :), a name that is no file name of that folder (empty, dots and
// blanks alone, a '\' or '/'), or one ending with a dot or a blank, which Windows drops.
// The reasons read after the name ("con.tie is a device name on Windows").
std::optional<std::string_view> FileNameProblem(std::string_view name);

}  // namespace vantrel::platform
