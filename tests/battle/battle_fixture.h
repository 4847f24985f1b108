// The game folders as the games install them, each with the folder it loads missions
// from; helpers to stage a battle into a game's
// KZMISS folder and to take a picture of every file under the test's folder.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/game_table.h"
#include "core/settings.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"

namespace vantrel::testing {

// A mission by name and plain content.
using Mission = std::pair<std::string, std::string>;

// Relative path ("XWA/MISSIONS/m.tie") to content; folders end with '/' and map to "".
using Snapshot = std::map<std::string, std::string>;

class BattleTest : public GameWorldTest {
 protected:
  BattleTest();

  // The game's mission folder relative to the test folder ("XWA/MISSIONS").
  std::string MissionFolder(GameId game) const;

  // Writes the battle list (game byte `listGame`) and the enciphered missions into the
  // KZMISS folder of `game`.
  void Stage(GameId game, int listGame, int key, std::string_view name,
             const std::vector<Mission>& missions);
  void Stage(GameId game, int key, const std::vector<Mission>& missions) {
    Stage(game, static_cast<int>(Index(game)), key, "Battle", missions);
  }

  Snapshot Picture() const;

  FakeDesktop desktop;
  FakeWindow window;
  FakeStatusLine status;
};

}  // namespace vantrel::testing
