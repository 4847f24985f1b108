#include "battle/stage_battle.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/file_system.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using Files = std::vector<std::string>;
using Outcome = StagingResult::Outcome;

// A file of a package, by name and content.
struct File {
  std::string name;
  std::string bytes = "x";
};

// A launcher folder and four game folders laid out as the games install them.
class StageBattleTest : public testing::GameWorldTest {
 protected:
  StageBattleTest() {
    LayOutLauncher();
    for (const char* folder :
         {"TIE/RESOURCE", "TIE/MISSION", "XVT/TRAIN", "BOP/TRAIN", "XWA/MISSIONS"}) {
      temp.MakeFolder(folder);
    }
  }

  // Puts files into Temp, as unpacking a package would; with a game byte, behind a
  // battle list for that game.
  void Unpacked(const std::vector<File>& files) {
    for (const File& file : files) temp.WriteFile("launcher/Temp/" + file.name, file.bytes);
  }
  void Unpacked(int gameByte, const std::vector<File>& files) {
    Unpacked({{"battle.kzb", testing::Bytes({gameByte, 0x21})}});
    Unpacked(files);
  }
  Files Temp() const { return temp.List("launcher/Temp"); }
};

TEST_F(StageBattleTest, TieFighterPlanSortsEveryKindOfFile) {
  Unpacked(0, {{"b1m1.tie", "m1"}, {"B1M2.TIE", "m2"}, {"ships.lfd"}, {"extra.lst"},
               {"email.txt"}, {"pilot.plt"}, {"Readme.txt"}});
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::Staged);
  EXPECT_EQ(result.game, GameId::TieFighter);
  EXPECT_TRUE(result.battleListStaged);
  EXPECT_TRUE(result.planCompleted);
  EXPECT_TRUE(result.temporaryFolderRemoved);
  EXPECT_EQ(temp.List("TIE/KZMISS"), (Files{"B1M2.TIE", "Battle.kzb", "b1m1.tie"}));
  EXPECT_EQ(temp.ReadFile("TIE/KZMISS/b1m1.tie"), "m1");
  EXPECT_EQ(temp.List("TIE/RESOURCE"), (Files{"ships.lfd"}));
  EXPECT_EQ(temp.List("TIE/MISC"), (Files{"Readme.txt", "email.txt", "extra.lst", "pilot.plt"}));
  EXPECT_TRUE(temp.List("TIE/MISSION").empty());
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
}

// X-Wing vs. TIE Fighter and Balance of Power send the first list to TRAIN, each in its
// own folder.
TEST_F(StageBattleTest, XwingVsTiePlanSendsTheFirstListToTrainInNameOrder) {
  // NTFS order compares upper-cased names: "a.lst" comes before "B.lst", although 'B'
  // sorts before 'a' byte by byte.
  Unpacked(1, {{"m.tie"}, {"B.lst", "second"}, {"a.lst", "first"}, {"ships.lfd"}});
  StageBattle();
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Files{"a.lst"}));
  EXPECT_EQ(temp.List("XVT/MISC"), (Files{"B.lst", "ships.lfd"}));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
  EXPECT_FALSE(temp.Exists("BOP/KZMISS"));

  Unpacked(2, {{"n.tie"}, {"bop.lst"}});
  StageBattle();
  EXPECT_EQ(temp.List("BOP/TRAIN"), (Files{"bop.lst"}));
  EXPECT_EQ(temp.List("BOP/KZMISS"), (Files{"Battle.kzb", "n.tie"}));
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Files{"a.lst"}));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, XwingAlliancePlanPlacesMissionFilesAndOnePilot) {
  Unpacked(3, {{"m.tie"}, {"EMAIL.TXT", "mail"}, {"mission.lst", "list"}, {"other.lst"},
               {"Luke0.plt", "luke"}, {"Wedge0.plt", "wedge"}, {"ships.lfd"}});
  StageBattle();
  EXPECT_EQ(temp.List("XWA/MISSIONS"), (Files{"EMAIL.TXT", "mission.lst"}));
  EXPECT_EQ(temp.ReadFile("XWA/Luke0.plt"), "luke");
  EXPECT_EQ(temp.List("XWA/MISC"), (Files{"Wedge0.plt", "other.lst", "ships.lfd"}));
  EXPECT_EQ(temp.List("XWA"), (Files{"KZMISS/", "Luke0.plt", "MISC/", "MISSIONS/"}));
}

// Whatever stops the staging before it begins leaves Temp as it was and writes into no
// game folder.
TEST_F(StageBattleTest, WhatCannotBeStagedStaysInTemp) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    Outcome outcome;
  };
  const Case cases[] = {
      {"no battle list", [this] { Unpacked({{"m.tie"}}); }, Outcome::NoBattleList},
      {"an empty battle list", [this] { Unpacked({{"battle.kzb", ""}, {"m.tie"}}); },
       Outcome::NoBattleList},
      {"a game byte above three", [this] { Unpacked(4, {{"m.tie"}}); }, Outcome::UnknownGame},
      {"no game folder",
       [this] {
         settings.store().DeleteKeyTree(GameKey(GameId::XwingAlliance));
         Unpacked(3, {{"m.tie"}});
       },
       Outcome::GameFolderUnset},
      {"no launcher folder",
       [this] {
         settings.store().DeleteKeyTree(kLauncherKey);
         Unpacked(1, {{"m.tie"}});
       },
       Outcome::LauncherFolderUnset},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(temp.Native("launcher/Temp"));
    c.arrange();
    const Files before = Temp();
    const StagingResult result = StageBattle();
    EXPECT_EQ(result.outcome, c.outcome);
    if (c.outcome == Outcome::UnknownGame) {
      EXPECT_EQ(result.gameByte, 4);
    }
    EXPECT_EQ(Temp(), before);
    for (const char* game : {"TIE", "XVT", "BOP", "XWA"}) {
      EXPECT_FALSE(temp.Exists(std::string(game) + "/KZMISS")) << game;
    }
  }
}

TEST_F(StageBattleTest, AOneByteBattleListIsEnoughToChooseTheGame) {
  Unpacked({{"battle.kzb", testing::Bytes({3})}, {"m.tie"}});
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::Staged);
  EXPECT_EQ(result.game, GameId::XwingAlliance);
  EXPECT_EQ(temp.List("XWA/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, WithoutMissionsNothingLeavesTemp) {
  Unpacked(1, {{"Readme.txt"}});
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::NoMissions);
  EXPECT_FALSE(result.battleListStaged);
  EXPECT_EQ(Temp(), (Files{"Readme.txt", "battle.kzb"}));
  EXPECT_TRUE(temp.List("XVT/KZMISS").empty());
}

TEST_F(StageBattleTest, TieFighterBattleWithoutResourcesLeavesTheRestInTemp) {
  Unpacked(0, {{"m.tie"}, {"Readme.txt"}});
  const StagingResult result = StageBattle();
  EXPECT_TRUE(result.battleListStaged);
  EXPECT_FALSE(result.planCompleted);
  EXPECT_FALSE(result.temporaryFolderRemoved);
  EXPECT_EQ(temp.List("TIE/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
  EXPECT_EQ(Temp(), (Files{"Readme.txt"}));
  EXPECT_TRUE(temp.List("TIE/MISC").empty());

  // The leftovers are staged with the next package, by that package's plan.
  Unpacked(3, {{"n.tie"}});
  StageBattle();
  EXPECT_EQ(temp.List("XWA/MISC"), (Files{"Readme.txt"}));
  EXPECT_EQ(temp.List("XWA/KZMISS"), (Files{"Battle.kzb", "n.tie"}));
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
}

TEST_F(StageBattleTest, FoldersFromThePackageStayInTempWithTemp) {
  Unpacked(1, {{"m.tie"}, {"maps/inner.tie"}});
  const StagingResult result = StageBattle();
  EXPECT_TRUE(result.planCompleted);
  EXPECT_FALSE(result.temporaryFolderRemoved);
  EXPECT_EQ(Temp(), (Files{"maps/"}));
  EXPECT_EQ(temp.List("launcher/Temp/maps"), (Files{"inner.tie"}));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
}

// A game file of the same name is overwritten without a copy, and an existing MISC folder
// in any letter case is reused.
TEST_F(StageBattleTest, AGameFileOfTheSameNameIsOverwrittenAndMiscIsReused) {
  temp.WriteFile("XVT/TRAIN/train.lst", "the game's own list");
  temp.WriteFile("XVT/Misc/old.txt", "old");
  Unpacked(1, {{"m.tie"}, {"train.lst", "the battle's list"}, {"Readme.txt"}});
  StageBattle();
  EXPECT_EQ(temp.ReadFile("XVT/TRAIN/train.lst"), "the battle's list");
  EXPECT_EQ(temp.List("XVT"), (Files{"KZMISS/", "Misc/", "TRAIN/"}));
  EXPECT_EQ(temp.List("XVT/Misc"), (Files{"Readme.txt", "old.txt"}));
}

TEST_F(StageBattleTest, ASecondBattleReplacesSameNamesAndLeavesOtherMissions) {
  Unpacked(1, {{"shared.tie", "first"}, {"only-first.tie", "first"}});
  StageBattle();
  Unpacked({{"battle.kzb", testing::Bytes({1, 0x42})}, {"SHARED.TIE", "second"}});
  StageBattle();
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "only-first.tie", "shared.tie"}));
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/shared.tie"), "second");
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/Battle.kzb"), testing::Bytes({1, 0x42}));
}

// A file that cannot be placed is never lost: a read-only mission of an earlier battle
// refuses the new copy, a missing TRAIN folder the list; each new file stays in Temp and
// the everything-else step puts it in MISC.
TEST_F(StageBattleTest, AFileThatCannotBePlacedIsNeverLost) {
  temp.WriteFile("XVT/KZMISS/m.tie", "old");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\KZMISS\\m.tie"), true));
  std::filesystem::remove_all(temp.Native("XVT/TRAIN"));
  Unpacked(1, {{"m.tie", "new"}, {"train.lst", "list"}});
  StageBattle();
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/m.tie"), "old");
  EXPECT_FALSE(temp.Exists("XVT/TRAIN"));
  EXPECT_EQ(temp.List("XVT/MISC"), (Files{"m.tie", "train.lst"}));
  EXPECT_EQ(temp.ReadFile("XVT/MISC/m.tie"), "new");
  EXPECT_EQ(temp.ReadFile("XVT/MISC/train.lst"), "list");
}

}  // namespace
}  // namespace vantrel
