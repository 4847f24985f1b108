#include "launcher/load_battle.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"
#include "tests/support/raw_zip.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

class LoadBattleTest : public testing::GameWorldTest {
 protected:
  LoadBattleTest() {
    LayOutLauncher();
    temp.MakeFolder("XWA/MISSIONS");
    WriteLastDir(temp.Path("old"));
    temp.MakeFolder("Battles");
    testing::ZipBuilder zip(temp.Native("Battles/b1.kzm").string());
    zip.Add("battle.kzb", testing::BattleListBytes(3, 9, "Endor Run", {"e1.tie"}))
        .Add("e1.tie", "enciphered")
        .Add("Readme.txt", "read me");
  }

  testing::FakeDesktop desktop;
  testing::FakeWindow window;
  PackageArchive archive;
};

TEST_F(LoadBattleTest, ACancelledChooserChangesNothing) {
  std::string shownFolder;
  const auto result = LoadBattle(window, archive,
                                 [&](const std::string& folder) {
                                   shownFolder = folder;
                                   return std::string();
                                 },
                                 {});
  EXPECT_FALSE(result);
  EXPECT_EQ(shownFolder, temp.Path("old"));
  EXPECT_EQ(ReadLastDir(), temp.Path("old"));
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
  EXPECT_EQ(window.ItemText(1063), "");
}

TEST_F(LoadBattleTest, TheChosenPackageIsStagedItsFolderRememberedAndTheLabelsShown) {
  std::vector<std::string> readmes;
  const auto result = LoadBattle(
      window, archive, [&](const std::string&) { return temp.Path("Battles\\b1.kzm"); },
      [&](const std::string& readme) {
        readmes.push_back(readme);
        // The viewer is handed the readme while it is still in Temp.
        EXPECT_TRUE(temp.Exists("launcher/Temp/Readme.txt"));
      });
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->staging.battleListStaged);
  EXPECT_EQ(readmes, (std::vector<std::string>{temp.Path("launcher\\Temp\\Readme.txt")}));
  EXPECT_EQ(ReadLastDir(), temp.Path("Battles"));
  EXPECT_EQ(temp.List("XWA/KZMISS"), (std::vector<std::string>{"Battle.kzb", "e1.tie"}));
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_EQ(window.ItemText(1062), "No battle installed");
}

TEST_F(LoadBattleTest, APackageInADriveRootLeavesTheBareDriveAsLastDir) {
  LoadBattle(window, archive, [](const std::string&) { return std::string("D:\\b1.kzm"); }, {});
  EXPECT_EQ(ReadLastDir(), "D:");
}

TEST_F(LoadBattleTest, APackageThatCannotBeOpenedStagesWhatTempAlreadyHeld) {
  temp.WriteFile("launcher/Temp/battle.kzb",
                 testing::BattleListBytes(3, 9, "Left Over", {"l.tie"}));
  temp.WriteFile("launcher/Temp/l.tie", "left over");
  const LoadResult result =
      LoadCommandLinePackage(window, archive, temp.Path("Battles\\missing.kzm"), {});
  EXPECT_FALSE(result.packageOpened);
  EXPECT_TRUE(result.staging.battleListStaged);
  EXPECT_EQ(window.ItemText(1063), "Left Over");
}

TEST_F(LoadBattleTest, APackageThatDoesNotUnpackWholeIsToldAndNothingOfItStays) {
  LoadCommandLinePackage(window, archive, temp.Path("Battles\\b1.kzm"), {});
  testing::RawEntry damaged = testing::StoredEntry("e2.tie", "two");
  damaged.crc ^= 1;
  temp.WriteFile(
      "Battles/b2.kzm",
      testing::RawZipBytes(
          {testing::StoredEntry("battle.kzb", testing::BattleListBytes(3, 9, "Hoth", {"e2.tie"})),
           damaged, testing::StoredEntry("Readme.txt", "hoth")}));
  bool readmeShown = false;
  const LoadResult result = LoadCommandLinePackage(window, archive, temp.Path("Battles\\b2.kzm"),
                                                   [&](const std::string&) { readmeShown = true; });
  EXPECT_FALSE(result.packageUnpacked);
  EXPECT_FALSE(readmeShown);
  EXPECT_EQ(
      desktop.MessageTexts(),
      (std::vector<std::string>{"Error unpacking the battle package!\n\ne2.tie: CRC mismatch\n\n"
                                "The battle was not installed."}));
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_EQ(temp.List("XWA/KZMISS"), (std::vector<std::string>{"Battle.kzb", "e1.tie"}));
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
}

}  // namespace
}  // namespace vantrel
