// The installed-battle display: under each game's button the main window names the
// battle staged for that game, read from the battle list in the game's staging folder.
#pragma once

#include <array>
#include <string>

#include "launcher/game_table.h"
#include "ui/window.h"

namespace vantrel {

// The name of the battle staged for each game, in GameId order; "No battle installed"
// for a game whose battle list cannot be opened (or whose folder is not set).
std::array<std::string, 4> InstalledBattleNames();

// Sets the four "Currently Installed Battle:" labels of the main window to those names.
void ShowInstalledBattles(ui::Window& mainWindow);

}  // namespace vantrel
