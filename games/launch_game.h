// Starting a game and waiting until it has ended. Everything the launcher does after a
// play (pilot seal, clean-up, restore of the executable) relies on the game having ended
// when LaunchGame returns.
#pragma once

#include "core/game_table.h"
#include "ui/status_line.h"

namespace vantrel {

// Starts the game's executable in the game folder with the game's launch argument (X-Wing
// vs. TIE Fighter and Balance of Power skip their introduction with "skipintro"), sets
// `status` to "Game running..." and returns when the game has ended: true, or false at
// once when it could not be started. The launcher's current folder is the game folder
// meanwhile and is put back afterwards.
bool LaunchGame(ui::StatusLine& status, GameId game);

}  // namespace vantrel
