// Putting a staged battle's missions where the game looks for them: before a game is
// started from the launcher, each enciphered mission named in the game's battle list is
// deciphered into the game's mission folder, under the STATUS progress window. The
// staging folder is never changed, so a battle can be played any number of times.
#pragma once

#include "core/game_table.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel {

// True when every listed mission has its plain copy in the mission folder. A failure has
// been shown in a message box owned by `mainWindow` before this returns; `status` then
// keeps "Decrypting missions...".
bool DecryptMissions(ui::Window& mainWindow, ui::StatusLine& status, GameId game);

}  // namespace vantrel
