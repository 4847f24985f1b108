#include "battle/stage_battle.h"

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

// A launcher folder and four game folders laid out as the games install them.
class StageBattleTest : public testing::GameWorldTest {
 protected:
  StageBattleTest() {
    LayOutLauncher();
    temp.MakeFolder("TIE/RESOURCE");
    temp.MakeFolder("TIE/MISSION");
    temp.MakeFolder("XVT/TRAIN");
    temp.MakeFolder("BOP/TRAIN");
    temp.MakeFolder("XWA/MISSIONS");
  }

  // Puts a file into Temp, as unpacking a package would.
  void Unpacked(const std::string& name, const std::string& bytes = "x") {
    temp.WriteFile("launcher/Temp/" + name, bytes);
  }
  void UnpackedBattleList(int gameByte) { Unpacked("battle.kzb", testing::Bytes({gameByte, 0x21})); }

};

TEST_F(StageBattleTest, TieFighterPlanSortsEveryKindOfFile) {
  UnpackedBattleList(0);
  Unpacked("b1m1.tie", "m1");
  Unpacked("B1M2.TIE", "m2");
  Unpacked("ships.lfd");
  Unpacked("extra.lst");
  Unpacked("email.txt");
  Unpacked("pilot.plt");
  Unpacked("Readme.txt");

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

TEST_F(StageBattleTest, XwingVsTiePlanSendsTheFirstListToTrainInNameOrder) {
  UnpackedBattleList(1);
  Unpacked("m.tie");
  // NTFS order compares upper-cased names: "a.lst" comes before "B.lst", although 'B'
  // sorts before 'a' byte by byte.
  Unpacked("B.lst", "second");
  Unpacked("a.lst", "first");
  Unpacked("ships.lfd");

  StageBattle();
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Files{"a.lst"}));
  EXPECT_EQ(temp.List("XVT/MISC"), (Files{"B.lst", "ships.lfd"}));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
  EXPECT_TRUE(temp.List("BOP/TRAIN").empty());
}

TEST_F(StageBattleTest, BalanceOfPowerUsesTheSamePlanInItsOwnFolder) {
  UnpackedBattleList(2);
  Unpacked("m.tie");
  Unpacked("bop.lst");

  StageBattle();
  EXPECT_EQ(temp.List("BOP/TRAIN"), (Files{"bop.lst"}));
  EXPECT_EQ(temp.List("BOP/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
  EXPECT_FALSE(temp.Exists("XVT/KZMISS"));
}

TEST_F(StageBattleTest, XwingAlliancePlanPlacesMissionFilesAndOnePilot) {
  UnpackedBattleList(3);
  Unpacked("m.tie");
  Unpacked("EMAIL.TXT", "mail");
  Unpacked("mission.lst", "list");
  Unpacked("other.lst");
  Unpacked("Luke0.plt", "luke");
  Unpacked("Wedge0.plt", "wedge");
  Unpacked("ships.lfd");

  StageBattle();
  EXPECT_EQ(temp.List("XWA/MISSIONS"), (Files{"EMAIL.TXT", "mission.lst"}));
  EXPECT_EQ(temp.ReadFile("XWA/Luke0.plt"), "luke");
  EXPECT_EQ(temp.List("XWA/MISC"), (Files{"Wedge0.plt", "other.lst", "ships.lfd"}));
  EXPECT_EQ(temp.List("XWA"), (Files{"KZMISS/", "Luke0.plt", "MISC/", "MISSIONS/"}));
}

TEST_F(StageBattleTest, TheGameByteDecidesTheFolderAndAboveThreeNothingHappens) {
  UnpackedBattleList(4);
  Unpacked("m.tie");
  const StagingResult refused = StageBattle();
  EXPECT_EQ(refused.outcome, Outcome::UnknownGame);
  EXPECT_EQ(refused.gameByte, 4);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"battle.kzb", "m.tie"}));
  for (const char* game : {"TIE", "XVT", "BOP", "XWA"}) {
    EXPECT_FALSE(temp.Exists(std::string(game) + "/KZMISS")) << game;
  }
}

TEST_F(StageBattleTest, NoBattleListOrAnEmptyOneStagesNothing) {
  Unpacked("m.tie");
  EXPECT_EQ(StageBattle().outcome, Outcome::NoBattleList);
  Unpacked("battle.kzb", "");
  EXPECT_EQ(StageBattle().outcome, Outcome::NoBattleList);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, AOneByteBattleListIsEnoughToChooseTheGame) {
  Unpacked("battle.kzb", testing::Bytes({3}));
  Unpacked("m.tie");
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::Staged);
  EXPECT_EQ(result.game, GameId::XwingAlliance);
  EXPECT_EQ(temp.List("XWA/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, WithoutMissionsNothingLeavesTemp) {
  UnpackedBattleList(1);
  Unpacked("Readme.txt");
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::NoMissions);
  EXPECT_FALSE(result.battleListStaged);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"Readme.txt", "battle.kzb"}));
  EXPECT_TRUE(temp.List("XVT/KZMISS").empty());
}

TEST_F(StageBattleTest, TieFighterBattleWithoutResourcesLeavesTheRestInTemp) {
  UnpackedBattleList(0);
  Unpacked("m.tie");
  Unpacked("Readme.txt");
  const StagingResult result = StageBattle();
  EXPECT_TRUE(result.battleListStaged);
  EXPECT_FALSE(result.planCompleted);
  EXPECT_FALSE(result.temporaryFolderRemoved);
  EXPECT_EQ(temp.List("TIE/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"Readme.txt"}));
  EXPECT_TRUE(temp.List("TIE/MISC").empty());

  // The leftovers are staged with the next package, by that package's plan.
  UnpackedBattleList(3);
  Unpacked("n.tie");
  StageBattle();
  EXPECT_EQ(temp.List("XWA/MISC"), (Files{"Readme.txt"}));
  EXPECT_EQ(temp.List("XWA/KZMISS"), (Files{"Battle.kzb", "n.tie"}));
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
}

TEST_F(StageBattleTest, FoldersFromThePackageStayInTempWithTemp) {
  UnpackedBattleList(1);
  Unpacked("m.tie");
  Unpacked("maps/inner.tie");
  const StagingResult result = StageBattle();
  EXPECT_TRUE(result.planCompleted);
  EXPECT_FALSE(result.temporaryFolderRemoved);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"maps/"}));
  EXPECT_EQ(temp.List("launcher/Temp/maps"), (Files{"inner.tie"}));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, AnExistingMiscFolderIsReused) {
  temp.WriteFile("XVT/Misc/old.txt", "old");
  UnpackedBattleList(1);
  Unpacked("m.tie");
  Unpacked("Readme.txt");
  StageBattle();
  EXPECT_EQ(temp.List("XVT"), (Files{"KZMISS/", "Misc/", "TRAIN/"}));
  EXPECT_EQ(temp.List("XVT/Misc"), (Files{"Readme.txt", "old.txt"}));
}

TEST_F(StageBattleTest, ASecondBattleReplacesSameNamesAndLeavesOtherMissions) {
  UnpackedBattleList(1);
  Unpacked("shared.tie", "first");
  Unpacked("only-first.tie", "first");
  StageBattle();
  Unpacked("battle.kzb", testing::Bytes({1, 0x42}));
  Unpacked("SHARED.TIE", "second");
  StageBattle();
  EXPECT_EQ(temp.List("XVT/KZMISS"), (Files{"Battle.kzb", "only-first.tie", "shared.tie"}));
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/shared.tie"), "second");
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/Battle.kzb"), testing::Bytes({1, 0x42}));
}

TEST_F(StageBattleTest, AGameFileOfTheSameNameIsOverwrittenWithoutACopy) {
  temp.WriteFile("XVT/TRAIN/train.lst", "the game's own list");
  UnpackedBattleList(1);
  Unpacked("m.tie");
  Unpacked("train.lst", "the battle's list");
  StageBattle();
  EXPECT_EQ(temp.ReadFile("XVT/TRAIN/train.lst"), "the battle's list");
  EXPECT_TRUE(temp.List("XVT/MISC").empty());
}

TEST_F(StageBattleTest, AFileThatCannotBePlacedIsNeverLost) {
  // A read-only mission of an earlier battle refuses the new copy; the new file stays in
  // Temp and the everything-else step puts it in MISC.
  temp.WriteFile("XVT/KZMISS/m.tie", "old");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\KZMISS\\m.tie"), true));
  UnpackedBattleList(1);
  Unpacked("m.tie", "new");
  StageBattle();
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/m.tie"), "old");
  EXPECT_EQ(temp.ReadFile("XVT/MISC/m.tie"), "new");
}

TEST_F(StageBattleTest, AMissingGameFolderForAListKeepsTheFileForMisc) {
  std::filesystem::remove_all(temp.Native("XVT/TRAIN"));
  UnpackedBattleList(1);
  Unpacked("m.tie");
  Unpacked("train.lst", "list");
  StageBattle();
  EXPECT_FALSE(temp.Exists("XVT/TRAIN"));
  EXPECT_EQ(temp.ReadFile("XVT/MISC/train.lst"), "list");
}

TEST_F(StageBattleTest, AnUnsetGameFolderStagesNothing) {
  settings.store().DeleteKeyTree(GameKey(GameId::XwingAlliance));
  UnpackedBattleList(3);
  Unpacked("m.tie");
  const StagingResult result = StageBattle();
  EXPECT_EQ(result.outcome, Outcome::GameFolderUnset);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"battle.kzb", "m.tie"}));
}

TEST_F(StageBattleTest, AnUnsetLauncherFolderStagesNothing) {
  settings.store().DeleteKeyTree(kLauncherKey);
  UnpackedBattleList(1);
  Unpacked("m.tie");
  EXPECT_EQ(StageBattle().outcome, Outcome::LauncherFolderUnset);
  EXPECT_EQ(temp.List("launcher/Temp"), (Files{"battle.kzb", "m.tie"}));
}

}  // namespace
}  // namespace vantrel
