// The last pilot's file name, read from the game's configuration file. The name was kept
// in 40 bytes together with the five characters of "0.plt" and a NUL, so a longer name
// is refused rather than cut into the name of some other pilot.
#include "pilots/last_pilot.h"

#include <string_view>

#include "core/settings.h"
#include "pilots/config_word.h"
#include "ui/window.h"

namespace vantrel {
namespace {

constexpr std::size_t kMaxLastPilotName = 34;

}  // namespace

std::optional<std::string> FindLastPilot(GameId game) {
  const GameInfo& info = Game(game);
  // TIE Fighter 95 names no last pilot; its pilot is found by the pilot files' times.
  if (info.configFile.empty()) return std::nullopt;
  const std::optional<std::string> name =
      ReadLastPilotWord(ReadGameFolder(game) + std::string(info.configFile));
  if (!name) {
    ui::ShowVntlMessage(nullptr, "How did you play the game without the config file?");
    return std::nullopt;
  }
  if (name->size() > kMaxLastPilotName) return std::nullopt;
  return *name + std::string(info.pilotFileSuffix);
}

std::optional<std::string> FindLastXwaPilot() { return FindLastPilot(GameId::XwingAlliance); }

}  // namespace vantrel
