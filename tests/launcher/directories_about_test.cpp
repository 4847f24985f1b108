// The Directories and About dialogs as a player uses them, through the fake view.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/about_dialog.h"
#include "launcher/directories_dialog.h"
#include "core/settings.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

using testing::FakeWindow;

constexpr int kFields[] = {1046, 1047, 1048, 1049};

class DirectoriesDialogTest : public ::testing::Test {
 protected:
  DirectoriesDialogTest() {
    settings.SetGameFolder(GameId::TieFighter, "C:\\Games\\TIE");
    settings.SetGameFolder(GameId::XwingVsTie, "C:\\Games\\XvT");
    settings.SetGameFolder(GameId::BalanceOfPower, "C:\\Games\\XvT\\BalanceOfPower");
    settings.SetGameFolder(GameId::XwingAlliance, "C:\\Games\\XWA");
    dialog.Open(controller);
  }

  std::vector<std::string> Fields() const {
    std::vector<std::string> texts;
    for (int id : kFields) texts.push_back(dialog.ItemText(id));
    return texts;
  }
  std::vector<std::string> Stored() const {
    std::vector<std::string> folders;
    for (GameId game : kAllGames) folders.push_back(ReadGameFolder(game));
    return folders;
  }

  testing::ScopedSettings settings;
  testing::FakeDesktop desktop;
  FakeWindow dialog;
  DirectoriesDialog controller;
  const std::vector<std::string> original = {"C:\\Games\\TIE", "C:\\Games\\XvT",
                                             "C:\\Games\\XvT\\BalanceOfPower", "C:\\Games\\XWA"};
};

TEST_F(DirectoriesDialogTest, ShowsTheStoredFolders) { EXPECT_EQ(Fields(), original); }

TEST_F(DirectoriesDialogTest, BrowseTwiceStartsFromTheStoredFolderBothTimes) {
  desktop.QueueBrowsedFolder("D:\\New XWA");
  desktop.QueueBrowsedFolder("E:\\");
  dialog.Press(1039);
  EXPECT_EQ(dialog.ItemText(1049), "D:\\New XWA");
  dialog.Press(1039);
  EXPECT_EQ(desktop.browserFolders(),
            (std::vector<std::string>{"C:\\Games\\XWA", "C:\\Games\\XWA"}));
  EXPECT_EQ(dialog.ItemText(1049), "E:\\");
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_EQ(Stored(), original);
}

TEST_F(DirectoriesDialogTest, EachBrowseButtonServesItsOwnGame) {
  const int browse[] = {1036, 1037, 1038, 1039};
  for (int i = 0; i < 4; ++i) {
    desktop.QueueBrowsedFolder("F:\\Game " + std::to_string(i));
    dialog.Press(browse[i]);
  }
  EXPECT_EQ(desktop.browserFolders(), original);
  EXPECT_EQ(Fields(), (std::vector<std::string>{"F:\\Game 0", "F:\\Game 1", "F:\\Game 2",
                                                "F:\\Game 3"}));
}

TEST_F(DirectoriesDialogTest, ACancelledBrowserLeavesTheField) {
  dialog.Press(1036);
  EXPECT_EQ(dialog.ItemText(1046), "C:\\Games\\TIE");
}

TEST_F(DirectoriesDialogTest, EveryWayOutButOkDiscardsWhatWasBrowsed) {
  for (int id : {1051, 2, 1060}) {
    SCOPED_TRACE(id);
    FakeWindow fresh;
    DirectoriesDialog other;
    fresh.Open(other);
    desktop.QueueBrowsedFolder("D:\\Elsewhere");
    fresh.Press(1037);
    fresh.Press(id);
    EXPECT_EQ(fresh.endedWith(), id);
    EXPECT_EQ(Stored(), original);
  }
}

// Ok stores all four fields, overwriting a value changed behind the dialog's back.
TEST_F(DirectoriesDialogTest, OkStoresAllFourFields) {
  WriteGameFolder(GameId::XwingVsTie, "C:\\Changed");
  desktop.QueueBrowsedFolder("D:\\Alliance");
  dialog.Press(1039);
  dialog.Press(1050);
  EXPECT_EQ(dialog.endedWith(), 1050);
  EXPECT_EQ(Stored(), (std::vector<std::string>{"C:\\Games\\TIE", "C:\\Games\\XvT",
                                                "C:\\Games\\XvT\\BalanceOfPower",
                                                "D:\\Alliance"}));
}

TEST(AboutDialog, SetsTooltipsAndLinksWhichOpenTheirTargetsAndKeepItOpen) {
  testing::FakeDesktop desktop;
  FakeWindow dialog;
  AboutDialog controller;
  dialog.Open(controller);
  using Tip = ui::MemoryWindow::Tooltip;
  EXPECT_EQ(dialog.tooltips(), (std::vector<Tip>{{1071, "https://www.example.org/", 0},
                                                 {1074, "https://www.example.org/battles/", 1},
                                                 {1072, "https://www.example.org/office/", 2},
                                                 {1073, "Email me", 3},
                                                 {1076, "Fear my TIE Interceptor!", 10}}));
  const ui::Colour dark{0, 0, 150};
  const ui::Colour light{0, 0, 250};
  EXPECT_EQ(dialog.links(),
            (std::map<int, ui::Colour>{{1071, dark}, {1072, dark}, {1073, light}, {1074, dark}}));

  for (int id : {1071, 1074, 1072, 1073}) dialog.Press(id);
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_EQ(
      desktop.shellOpened(),
      (std::vector<std::string>{"https://www.example.org/", "https://www.example.org/battles/",
                                "https://www.example.org/office/", "mailto:author@example.org"}));
  EXPECT_EQ(desktop.shellOwners(), (std::vector<const ui::Window*>(4, nullptr)));
}

TEST(AboutDialog, ThePictureOkAndEscCloseIt) {
  for (int id : {1076, 1, 2}) {
    SCOPED_TRACE(id);
    testing::FakeDesktop desktop;
    FakeWindow dialog;
    AboutDialog controller;
    dialog.Open(controller);
    dialog.Press(id);
    EXPECT_EQ(dialog.endedWith(), id);
    EXPECT_TRUE(desktop.shellOpened().empty());
  }
}

}  // namespace
}  // namespace vantrel
