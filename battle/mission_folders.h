// Where a game's battle lives: its staged battle list and enciphered missions in the
// staging folder KZMISS, and the folder the game itself loads missions from, which
// receives the plain copies while the game runs. Every path is the game folder from the
// settings store, read afresh, followed by a literal that begins with a backslash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/game_table.h"

namespace vantrel {

struct MissionFolders {
  std::string battleList;  // game folder + "\KZMISS\BATTLE.KZB"
  std::string staging;     // game folder + "\KZMISS\"
  std::string missions;    // game folder + the game's mission folder literal
};

// The paths of the game's battle; empty when the game's folder is not set, so that no
// battle is ever looked for, written or deleted at the root of a drive.
std::optional<MissionFolders> FoldersOf(GameId game);

// True for a name that stays inside the folder it is appended to: not empty, without
// '\', '/' or ':', and not a name of dots and spaces alone ("." and ".." name the folder
// and its parent, and Windows drops the trailing dots and spaces of other such names).
bool IsPlainFileName(std::string_view name);

}  // namespace vantrel
