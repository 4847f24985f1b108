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

// True for a name a battle list may give a mission: a file name that stays inside the
// folder it is joined to and that Windows can hold (no device name such as "con.tie"),
// ending in ".tie". Only missions ever go between the staging folder and the mission
// folder: a name such as "mission.lst" would have the decryption overwrite, and the
// clean-up delete, a file of the game's own.
bool IsMissionName(std::string_view name);

}  // namespace vantrel
