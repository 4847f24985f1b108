// Text the games and the club's tools wrote as single bytes: names in packages, battle
// lists and pilot files are in the Windows Western code page unless they happen to be
// UTF-8 already. The rest of the system speaks UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::platform {

bool IsValidUtf8(std::string_view text);

// The bytes as UTF-8: kept as they are when they are valid UTF-8, otherwise read as
// Windows-1252.
std::string WesternToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252 bytes, one per character; empty when the text is not valid
// UTF-8 or holds a character that code page lacks.
std::optional<std::string> Utf8ToWestern(std::string_view text);

}  // namespace vantrel::platform
