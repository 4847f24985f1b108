// Removing the plain missions after play: once a game started from the launcher has
// ended, the plain copies that DecryptMissions wrote into the game's mission folder are
// deleted again, so that outside the launcher only the enciphered battle remains.
#pragma once

#include "core/game_table.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel {

// Deletes, from the game's mission folder, each file the staged battle list names; a
// copy that is gone already or cannot be deleted does not stop the others. False, after
// the message "Error reading battle.kzb!", when the battle list cannot be opened; then
// nothing is deleted. `status` is left at "Cleaning up files...".
bool CleanUpMissions(ui::Window& mainWindow, ui::StatusLine& status, GameId game);

}  // namespace vantrel
