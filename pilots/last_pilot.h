// Finding the pilot who flew a battle in X-Wing vs. TIE Fighter, Balance of Power or
// X-Wing Alliance: the game names the last pilot on the first line of its configuration
// file, and the pilot's file is that name followed by "0.plt" or "0.pl2".
#pragma once

#include <optional>
#include <string>

#include "core/game_table.h"

namespace vantrel {

// The name from the game's configuration file followed by its pilot file suffix: for
// X-Wing vs. TIE Fighter "\config.cfg" and "0.plt", for Balance of Power "\config2.cfg"
// and "0.pl2", for X-Wing Alliance "\config.cfg" and "0.plt". Empty optional after the
// message "How did you play the game without the config file?" when the file cannot be
// opened, and without a message when the name has more than 34 characters. TIE Fighter
// 95 names no last pilot and gets none here (see tie_pilots.h).
std::optional<std::string> FindLastPilot(GameId game);

// The same for X-Wing Alliance.
std::optional<std::string> FindLastXwaPilot();

}  // namespace vantrel
