#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::RunCommand;

class LoadCommandTest : public testing::GameWorldTest {
 protected:
  LoadCommandTest() {
    LayOutLauncher();
    temp.MakeFolder("XVT/TRAIN");
    WriteLastDir("/keep/me");
  }

  std::string Package(int gameByte) {
    testing::ZipBuilder zip(temp.Native("b.kzm").string());
    zip.Add("battle.kzb", testing::BattleListBytes(gameByte, 7, "First Strike", {"m1.tie"}))
        .Add("m1.tie", "m")
        .Add("Readme.txt", "r");
    zip.Close();
    return temp.Path("b.kzm");
  }

};

TEST_F(LoadCommandTest, StagesTheBattleAndSaysWhere) {
  const auto run = RunCommand(cli::LoadCommand, {Package(1)});
  EXPECT_EQ(run.status, 0);
  // The folder is shown with the system's separator, not the launcher's backslash.
  EXPECT_EQ(run.out, "X-Wing vs. TIE Fighter: battle staged in " + temp.SystemPath("XVT") + "\n" +
                         "tie\tNo battle installed\n"
                         "xvt\tFirst Strike\n"
                         "bop\tNo battle installed\n"
                         "xwa\tNo battle installed\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(temp.List("XVT/KZMISS"), (std::vector<std::string>{"Battle.kzb", "m1.tie"}));
  EXPECT_EQ(temp.ReadFile("XVT/MISC/Readme.txt"), "r");
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
  EXPECT_EQ(ReadLastDir(), "/keep/me");
}

TEST_F(LoadCommandTest, AFailedLoadStillListsTheBattlesThatAreInstalled) {
  RunCommand(cli::LoadCommand, {Package(1)});
  const auto run = RunCommand(cli::LoadCommand, {Package(4)});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "tie\tNo battle installed\n"
            "xvt\tFirst Strike\n"
            "bop\tNo battle installed\n"
            "xwa\tNo battle installed\n");
}

TEST_F(LoadCommandTest, AnUnknownGameByteFailsAndLeavesTheFilesInTemp) {
  const auto run = RunCommand(cli::LoadCommand, {Package(4)});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vantrel: the battle list names game 4, not one of 0 to 3; nothing was staged\n");
  EXPECT_EQ(temp.List("launcher/Temp"),
            (std::vector<std::string>{"Readme.txt", "battle.kzb", "m1.tie"}));
}

TEST_F(LoadCommandTest, AnUnsetGameFolderIsNamed) {
  settings.store().DeleteKeyTree(GameKey(GameId::XwingAlliance));
  const auto run = RunCommand(cli::LoadCommand, {Package(3)});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vantrel: the folder of X-Wing Alliance is not set (vantrel folders set xwa PATH)\n");
}

TEST_F(LoadCommandTest, APackageWithoutABattleListFails) {
  testing::ZipBuilder zip(temp.Native("nolist.kzm").string());
  zip.Add("m1.tie", "m");
  zip.Close();
  const auto run = RunCommand(cli::LoadCommand, {temp.Path("nolist.kzm")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vantrel: the package holds no battle list (battle.kzb); nothing was staged\n");
}

TEST_F(LoadCommandTest, LoadTakesExactlyOnePackage) {
  EXPECT_EQ(RunCommand(cli::LoadCommand, {}).status, 2);
  EXPECT_EQ(RunCommand(cli::LoadCommand, {"a.kzm", "b.kzm"}).status, 2);
}

}  // namespace
}  // namespace vantrel
