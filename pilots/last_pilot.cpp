// The last pilot's file name, read from the game's configuration file. The name was kept
// in 40 bytes together with the five characters of "0.plt" and a NUL, so a longer name
// is refused rather than cut into the name of some other pilot.
#include "pilots/last_pilot.h"

#include <string_view>

#include "launcher/settings.h"
#include "pilots/config_word.h"
#include "ui/window.h"

namespace vantrel {
namespace {

constexpr std::size_t kMaxLastPilotName = 34;

std::optional<std::string> PilotFileFrom(GameId game, std::string_view configFile,
                                         std::string_view suffix) {
  const std::optional<std::string> name =
      ReadLastPilotWord(ReadGameFolder(game) + std::string(configFile));
  if (!name) {
    ui::ShowVntlMessage(nullptr, "How did you play the game without the config file?");
    return std::nullopt;
  }
  if (name->size() > kMaxLastPilotName) return std::nullopt;
  return *name + std::string(suffix);
}

}  // namespace

std::optional<std::string> FindLastPilot(GameId game) {
  switch (game) {
    case GameId::XwingVsTie:
      return PilotFileFrom(game, "\\config.cfg", "0.plt");
    case GameId::BalanceOfPower:
      return PilotFileFrom(game, "\\config2.cfg", "0.pl2");
    case GameId::TieFighter:
    case GameId::XwingAlliance:
      break;
  }
  // The play sequence asks only for the two games above; another game's pilot is found
  // by its own operation.
  return std::nullopt;
}

std::optional<std::string> FindLastXwaPilot() {
  return PilotFileFrom(GameId::XwingAlliance, "\\config.cfg", "0.plt");
}

}  // namespace vantrel
