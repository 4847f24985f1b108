// `vantrel battles`: the battle installed for each game, as the main window's labels
// show it, one line per game: SHORT-NAME<TAB>BATTLE.
#include <array>
#include <cstdio>
#include <string>

#include "battle/installed_battles.h"
#include "cli/commands.h"

namespace vantrel::cli {

void PrintInstalledBattles() {
  const std::array<std::string, 4> names = InstalledBattleNames();
  for (GameId game : kAllGames) {
    const std::string_view shortName = Game(game).commandLineName;
    std::printf("%.*s\t%s\n", static_cast<int>(shortName.size()), shortName.data(),
                names[Index(game)].c_str());
  }
}

int BattlesCommand(const Options&, const std::vector<std::string>& words) {
  if (!words.empty()) return UsageError("battles takes no arguments");
  PrintInstalledBattles();
  return 0;
}

}  // namespace vantrel::cli
