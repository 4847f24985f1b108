// Finishing an interrupted play before anything else touches a game's folders: every
// play and load, the launcher at its start and `vantrel repair` first put back what a
// play that never reached its end left behind (games/finish_play.h), and tell the player
// what they found and what, if anything, is left for the player to do.
#pragma once

#include <string>
#include <vector>

#include "core/game_table.h"
#include "games/finish_play.h"
#include "ui/window.h"

namespace vantrel {

// What to tell the player about `finish`, one text per message; none when there is
// nothing to tell. `afterThisPlay`: the play that just ended was finished, rather than
// one found interrupted.
std::vector<std::string> PlayFinishMessages(GameId game, const PlayFinish& finish,
                                            bool afterThisPlay);

// Finishes an interrupted play of `game`, showing what was found in message boxes owned
// by `owner`. False when something of it is left that the player must see to first; a
// play of that game must not start then.
bool FinishInterruptedPlay(ui::Window* owner, GameId game);

// The same for every game whose folder is set; false when any is left unfinished.
bool FinishInterruptedPlays(ui::Window* owner);

}  // namespace vantrel
