// `vantrel folders detect [--wine-prefix DIR]... [--set]`: where the four games are on
// this machine, and with --set the settings store pointed at them. On Linux it also says
// how to start them through Wine.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "detect/game_search.h"
#include "core/settings.h"
#include "platform/settings_store.h"

namespace vantrel::cli {
namespace {

std::string Describe(const GameLocation& location) {
  const std::string releaseName(Game(location.game).releaseName);
  std::string release;
  if (location.knownRelease) {
    release = releaseName;
  } else {
    release = "another release (" + std::to_string(location.executableSize) +
              " bytes; the Game menu's options need " + releaseName + ")";
  }
  return release + ", from " + location.source;
}

// The folder a game's settings get: the first known release found, else the first found.
const GameLocation* Chosen(const std::vector<GameLocation>& found, GameId game) {
  const GameLocation* first = nullptr;
  for (const GameLocation& location : found) {
    if (location.game != game) continue;
    if (location.knownRelease) return &location;
    if (first == nullptr) first = &location;
  }
  return first;
}

bool Store(GameId game, const std::string& folder) {
  platform::SettingsStore& store = platform::Settings();
  return store.CreateKey(GameKey(game)) &&
         store.WriteString(GameKey(game), kInstallPathValue, folder);
}

}  // namespace

int DetectCommand(const Options&, const std::vector<std::string>& words) {
  std::vector<std::string> prefixes;
  bool set = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == "--set") {
      set = true;
    } else if (words[i] == "--wine-prefix" && i + 1 < words.size()) {
      prefixes.push_back(words[++i]);
    } else if (words[i].starts_with("--wine-prefix=")) {
      prefixes.push_back(words[i].substr(14));
    } else {
      return UsageError("folders detect takes [--wine-prefix DIR]... [--set]");
    }
  }

#ifdef _WIN32
  // The games wrote their keys into the machine's registry, whatever store vantrel uses.
  const std::unique_ptr<platform::SettingsStore> registry = platform::OpenDefaultSettingsStore();
  SearchPlaces places = WindowsSearchPlaces(*registry);
  places.winePrefixes = prefixes;
#else
  const SearchPlaces places = WineSearchPlaces(prefixes);
#endif
  const std::vector<GameLocation> found = FindGames(places);

  for (GameId game : kAllGames) {
    const std::string name(Game(game).commandLineName);
    bool any = false;
    for (const GameLocation& location : found) {
      if (location.game != game) continue;
      std::printf("%s  %s\n     %s\n", name.c_str(), location.folder.c_str(),
                  Describe(location).c_str());
      any = true;
    }
    if (!any) std::printf("%s  not found\n", name.c_str());
  }
  if (found.empty()) return Fail("no game found");

  int status = 0;
  if (set) {
    for (GameId game : kAllGames) {
      const GameLocation* location = Chosen(found, game);
      if (location == nullptr) continue;
      if (Store(game, location->folder)) {
        std::printf("stored %s  %s\n", std::string(Game(game).commandLineName).c_str(),
                    location->folder.c_str());
      } else {
        status = Fail("cannot write the settings store", platform::LastFailure());
      }
    }
  }
#ifndef _WIN32
  // The games are Windows programs: Wine runs them, in the prefix they are installed in.
  std::printf("to play through Wine:\n");
  for (GameId game : kAllGames) {
    const GameLocation* location = Chosen(found, game);
    if (location == nullptr) continue;
    const std::string prefix = location->winePrefix          ? *location->winePrefix
                               : places.winePrefixes.empty() ? std::string("~/.wine")
                                                             : places.winePrefixes.front();
    std::printf("  WINEPREFIX=%s vantrel --runner wine play %s\n", prefix.c_str(),
                std::string(Game(game).commandLineName).c_str());
  }
#endif
  return status;
}

}  // namespace vantrel::cli
