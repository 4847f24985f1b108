// The test that the executable in a game folder is the release the patches were made
// for. A release is known by its exact size alone (core/game_table.h).
#pragma once

#include "core/game_table.h"

namespace vantrel {

// True when the game's executable can be read and has the release's size exactly. For
// TIE Fighter 95 its full path is first shown in a message box without owner or title,
// whatever the test then finds.
bool IdentifyGameExe(GameId game);

}  // namespace vantrel
