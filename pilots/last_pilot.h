// Finding the pilot who flew a battle in X-Wing vs. TIE Fighter, Balance of Power or
// X-Wing Alliance: the game names the last pilot on the first line of its configuration
// file, and the pilot's file is that name followed by "0.plt" or "0.pl2".
#pragma once

#include <optional>
#include <string>

#include "launcher/game_table.h"

namespace vantrel {

// For X-Wing vs. TIE Fighter: the name from "\config.cfg" followed by "0.plt"; for
// Balance of Power: the name from "\config2.cfg" followed by "0.pl2". Empty optional after
// the message "How did you play the game without the config file?" when the file cannot
// be opened, and without a message when the name has more than 34 characters. The other
// two games have operations of their own and get no pilot here.
std::optional<std::string> FindLastPilot(GameId game);

// The same for X-Wing Alliance: the name from "\config.cfg" followed by "0.plt".
std::optional<std::string> FindLastXwaPilot();

}  // namespace vantrel
