// Each game's controls in the launcher's windows, typed from the windows' templates, and
// the main window's status line.
#include "launcher/game_controls.h"

#include <gtest/gtest.h>

#include "launcher/main_window_status.h"
#include "tests/fakes/fake_ui.h"

namespace vantrel {
namespace {

TEST(GameControls, GivesEachGameItsControlsBitmapAndTexts) {
  EXPECT_EQ(Controls(GameId::TieFighter).button, 1052);
  EXPECT_EQ(Controls(GameId::XwingVsTie).buttonBitmap, 120);
  EXPECT_EQ(Controls(GameId::TieFighter).installedBattleLabel, 1062);
  EXPECT_EQ(Controls(GameId::XwingVsTie).installedBattleLabel, 1061);
  EXPECT_EQ(Controls(GameId::BalanceOfPower).installedBattleLabel, 1064);
  EXPECT_EQ(Controls(GameId::XwingAlliance).installedBattleLabel, 1063);
  EXPECT_EQ(Controls(GameId::XwingAlliance).tooltipId, 7);
  EXPECT_EQ(Controls(GameId::BalanceOfPower).directoriesField, 1048);
  EXPECT_EQ(Controls(GameId::XwingVsTie).directoriesBrowse, 1037);
  EXPECT_EQ(Controls(GameId::TieFighter).tooltip, "Press to start TIE Figher '95");
  EXPECT_EQ(Controls(GameId::XwingVsTie).directoriesCaption,
            "Your X-wing vs TIE Fighter Directory:");
}

TEST(MainWindowStatusLine, WritesIntoControl1068Only) {
  testing::FakeWindow window;
  MainWindowStatusLine status(window);
  status.SetText("Game running...");
  status.SetText("Idle");
  EXPECT_EQ(window.History(1068), (std::vector<std::string>{"Game running...", "Idle"}));
  EXPECT_EQ(window.ItemText(1062), "");
}

}  // namespace
}  // namespace vantrel
