// The game executables the launcher patches, and the test that the one in a game folder
// is the release the patches were made for. A release is known by its exact size alone:
// X-Wing vs. TIE Fighter and Balance of Power share a name and differ only in size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "launcher/game_table.h"

namespace vantrel {

struct GameExecutable {
  std::string_view name;       // appended to the game folder ("\TIE95.EXE")
  std::uint64_t releaseSize;   // the size of the release the patches fit
};

const GameExecutable& Executable(GameId game);

// The game folder followed by the executable's name.
std::string GameExePath(GameId game);

// True when the game's executable can be read and has the release's size exactly. For
// TIE Fighter 95 its full path is first shown in a message box without owner or title,
// whatever the test then finds.
bool IdentifyGameExe(GameId game);

}  // namespace vantrel
