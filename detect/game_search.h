// Finding the four games where players have them: the folders the games' own registry
// keys name (in Windows' registry, or in a Wine prefix's registry files), Steam's
// library folders, and the folders the digital releases install into. A game counts as
// found only where its executable is; the size of the executable tells whether it is the
// release the launcher's patches were made for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game_table.h"
#include "platform/settings_store.h"

namespace vantrel {

struct GameLocation {
  GameId game = GameId::TieFighter;
  std::string folder;  // the game folder, as this system names it
  std::string source;  // where the search learnt of it, for people: "Steam library /games"
  std::optional<std::string> winePrefix;  // the Wine prefix it lies in, if any
  std::uint64_t executableSize = 0;
  bool knownRelease = false;  // the executable has the size of the patched release
};

struct SearchPlaces {
  // Windows' own registry (its 32-bit view, where the games wrote their keys); none
  // elsewhere.
  platform::SettingsStore* systemRegistry = nullptr;
  std::vector<std::string> winePrefixes;
  // Steam's own folders (holding steamapps/libraryfolders.vdf), in this system's form.
  std::vector<std::string> steamFolders;
  // Folders whose subfolders the releases install into ("C:\GOG Games").
  std::vector<std::string> installParents;
};

// The places on Windows: its registry, Steam as the registry names it and in its usual
// folders, and the usual install folders on drive C.
SearchPlaces WindowsSearchPlaces(platform::SettingsStore& registry);

// The places elsewhere: the Wine prefixes given, then $WINEPREFIX and ~/.wine (each
// searched inside as Windows would be), then Steam's folders in the home folder and the
// usual folders of native installs.
SearchPlaces WineSearchPlaces(const std::vector<std::string>& givenPrefixes);

// Every game found, in the order of the places searched, each folder once per game.
std::vector<GameLocation> FindGames(const SearchPlaces& places);

}  // namespace vantrel
