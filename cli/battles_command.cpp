// `vantrel battles`: the battle installed for each game, as the main window's labels
// show it, one line per game: SHORT-NAME<TAB>BATTLE (control characters escaped), or as
// one JSON object.
#include <array>
#include <cstdio>
#include <string>

#include "battle/installed_battles.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/printable_text.h"

namespace vantrel::cli {
namespace {

// {"tie":{"game":"TIE Fighter 95","battle":"NAME"},...}, battle null where none is
// installed.
void PrintInstalledBattlesJson() {
  JsonWriter json;
  json.BeginObject();
  for (GameId game : kAllGames) {
    json.Key(Game(game).commandLineName).BeginObject();
    json.Key("game").String(Game(game).name);
    json.Key("battle");
    if (const std::optional<std::string> battle = InstalledBattle(game)) {
      json.String(*battle);
    } else {
      json.Null();
    }
    json.EndObject();
  }
  json.EndObject();
  std::printf("%s\n", json.text().c_str());
}

}  // namespace

void PrintInstalledBattles() {
  const std::array<std::string, 4> names = InstalledBattleNames();
  for (GameId game : kAllGames) {
    const std::string_view shortName = Game(game).commandLineName;
    std::printf("%.*s\t%s\n", static_cast<int>(shortName.size()), shortName.data(),
                PrintableText(names[Index(game)]).c_str());
  }
}

int BattlesCommand(const Options& options, const std::vector<std::string>& words) {
  if (!words.empty()) return UsageError("battles takes no arguments");
  if (options.json) {
    PrintInstalledBattlesJson();
  } else {
    PrintInstalledBattles();
  }
  return 0;
}

}  // namespace vantrel::cli
