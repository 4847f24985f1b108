// The labels, filled from the battle-name query of the battle subsystem.
#include "launcher/installed_battles_labels.h"

#include <array>
#include <string>

#include "battle/installed_battles.h"
#include "launcher/game_controls.h"

namespace vantrel {

void ShowInstalledBattles(ui::Window& mainWindow) {
  const std::array<std::string, 4> names = InstalledBattleNames();
  for (GameId game : kAllGames) {
    mainWindow.SetItemText(Controls(game).installedBattleLabel, names[Index(game)]);
  }
}

}  // namespace vantrel
