// Which battle is installed for each game: the name in the battle list of the game's
// staging folder, as the main window shows it under each game's button and `vantrel
// battles` prints it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/game_table.h"

namespace vantrel {

// The name of the battle staged for `game`; empty when its battle list cannot be opened
// (or its folder is not set).
std::optional<std::string> InstalledBattle(GameId game);

// The name of the battle staged for each game, in GameId order; "No battle installed"
// for a game whose battle list cannot be opened (or whose folder is not set).
std::array<std::string, 4> InstalledBattleNames();

}  // namespace vantrel
