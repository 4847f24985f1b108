// Writing a battle list: the reader's layout (battle/battle_list.h) filled from a
// battle's game, key, name and mission names, for the tools that make packages.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "battle/battle_list.h"

namespace vantrel {

// What the fields hold at most: a name of 50 characters and mission names of 20, each
// with its terminator, and 255 missions, as many as the one-byte count can say.
inline constexpr std::size_t kMaxBattleNameLength = kBattleNameField - 1;
inline constexpr std::size_t kMaxMissionNameLength = kMissionNameField - 1;
inline constexpr std::size_t kMaxMissions = 255;

// The bytes of the list: game, key, the name NUL-padded to its field, the count, a
// reserved 0, the mission names NUL-padded to theirs, and a closing reserved 0. Texts are
// written in the Windows Western code page, as the games and the reader take them.
// Empty when the game is missing, a text does not fit its field or that code page, or
// there are more missions than the count can hold; `listedCount` is not used.
std::optional<std::string> BattleListBytes(const BattleList& list);

}  // namespace vantrel
