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

// One thing to tell the player about a finished play.
struct PlayFinishMessage {
  std::string text;
  // Tells of something that could not be done; `PlayFinish::cause` says why.
  bool failure = false;
};

// What to tell the player about `finish`, one message each; none when there is nothing
// to tell. `afterThisPlay`: the play that just ended was finished, rather than one found
// interrupted.
std::vector<PlayFinishMessage> PlayFinishMessages(GameId game, const PlayFinish& finish,
                                                  bool afterThisPlay);

// Shows the messages in boxes owned by `owner`. A failure's cause is left as the last
// failure when its message is shown, so that a desktop that tells causes (`vantrel`'s
// console) tells that one and no other.
void ShowPlayFinishMessages(ui::Window* owner, GameId game, const PlayFinish& finish,
                            bool afterThisPlay);

// Finishes an interrupted play of `game`, showing what was found in message boxes owned
// by `owner`. False when something of it is left that the player must see to first; a
// play of that game must not start then.
bool FinishInterruptedPlay(ui::Window* owner, GameId game);

// The same for every game whose folder is set; false when any is left unfinished.
bool FinishInterruptedPlays(ui::Window* owner);

}  // namespace vantrel
