// The launcher's settings: the folder of each game, the launcher's own folder and the
// folder the last battle package was chosen from. They live in the settings store under
// "Software\Morvain Unlimited\VNTL" and are read afresh at every use; nothing caches a
// folder. The launcher only writes values into keys that Setup created.
#pragma once

#include <string>
#include <string_view>

#include "core/game_table.h"

namespace vantrel {

inline constexpr std::string_view kLauncherKey = "Software\\Morvain Unlimited\\VNTL";
inline constexpr std::string_view kInstallPathValue = "Install Path";
inline constexpr std::string_view kLastDirValue = "Last Dir";

// "Software\Morvain Unlimited\VNTL\TIE" and its three siblings.
std::string GameKey(GameId game);

// Each read gives the stored folder, or the empty text when the key or value is missing
// or the value is longer than a path can be (259 characters): the folder is then unset.
std::string ReadGameFolder(GameId game);
std::string ReadLauncherFolder();
std::string ReadLastDir();

// Each write stores the text into an existing key; a missing key stays missing and
// nothing is reported.
void WriteGameFolder(GameId game, std::string_view folder);
void WriteLastDir(std::string_view folder);

// The game folder followed by the game's executable ("\TIE95.EXE").
std::string GameExePath(GameId game);

// True when the game's executable can be opened for reading in its game folder.
bool GameExeExists(GameId game);

}  // namespace vantrel
