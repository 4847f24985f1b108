// The pilot file the launcher writes for a new X-Wing Alliance pilot: 152,076 bytes,
// zero but for the name at its start and the values the game expects of a pilot that
// has never flown, optionally with the 53 bytes that prepare it for KZ battles.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::size_t kXwaPilotFileSize = 152'076;

// The name field at the start of a pilot file: the name and at least one NUL.
inline constexpr std::size_t kXwaPilotNameField = 12;
inline constexpr std::size_t kMaxXwaPilotName = kXwaPilotNameField - 1;

// The first 11 bytes of a typed name, as the new-pilot dialog keeps it; a character
// whose bytes would be cut apart is left out whole.
std::string_view CutXwaPilotName(std::string_view typed);

// The bytes of a new pilot file for `name` (cut as above).
std::string NewXwaPilotFile(std::string_view name, bool prepare);

}  // namespace vantrel
