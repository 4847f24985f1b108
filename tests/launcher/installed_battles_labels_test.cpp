// The main window's "Currently Installed Battle:" labels: each game's battle under its
// own button.
#include "launcher/installed_battles_labels.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using InstalledBattlesLabels = testing::GameWorldTest;

TEST_F(InstalledBattlesLabels, EachGamesBattleGoesUnderItsOwnButtonOnce) {
  testing::FakeWindow window;
  temp.WriteFile("TIE/KZMISS/BATTLE.KZB",
                 testing::BattleListBytes(0, 1, "Imperial Ops", {"a.tie"}));
  temp.WriteFile("XWA/KZMISS/BATTLE.KZB", testing::BattleListBytes(3, 1, "Alliance Tour", {}));
  ShowInstalledBattles(window);
  EXPECT_EQ(window.ItemText(1062), "Imperial Ops");
  EXPECT_EQ(window.ItemText(1061), "No battle installed");
  EXPECT_EQ(window.ItemText(1064), "No battle installed");
  EXPECT_EQ(window.ItemText(1063), "Alliance Tour");
  for (int label : {1062, 1061, 1064, 1063}) EXPECT_EQ(window.History(label).size(), 1u) << label;
}

}  // namespace
}  // namespace vantrel
