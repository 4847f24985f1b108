// The launcher's settings over a store of the test's own: folders read whole up to the
// path limit and unset beyond it, writes that never create a key, and the executable
// test that gates each game button.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file_helpers.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

using testing::ScopedSettings;
using testing::TempFolder;

// The bytes of a file, read through the file system the store writes with.
std::string FileBytes(const std::string& path) { return platform::ReadWholeFile(path).bytes; }

class SettingsTest : public ::testing::Test {
 protected:
  ScopedSettings settings;
  TempFolder games;
};

TEST_F(SettingsTest, GameKeysLieBelowTheLauncherKey) {
  EXPECT_EQ(GameKey(GameId::TieFighter), "Software\\Morvain Unlimited\\VNTL\\TIE");
  EXPECT_EQ(GameKey(GameId::BalanceOfPower), "Software\\Morvain Unlimited\\VNTL\\BOP");
}

TEST_F(SettingsTest, AWrittenFolderIsReadBack) {
  settings.SetGameFolder(GameId::XwingAlliance, "C:\\Games\\XWA");
  WriteGameFolder(GameId::XwingAlliance, "D:\\X-Wing Alliance");
  EXPECT_EQ(ReadGameFolder(GameId::XwingAlliance), "D:\\X-Wing Alliance");
  EXPECT_EQ(settings.store().ReadString(GameKey(GameId::XwingAlliance), "Install Path"),
            "D:\\X-Wing Alliance");

  settings.SetLauncherFolder("C:\\Program Files\\VNTL");
  EXPECT_EQ(ReadLauncherFolder(), "C:\\Program Files\\VNTL");
  WriteLastDir("E:\\Battles");
  EXPECT_EQ(ReadLastDir(), "E:\\Battles");
  EXPECT_EQ(ReadLauncherFolder(), "C:\\Program Files\\VNTL");
}

// A folder of 259 characters is read whole; one of 260 counts as unset.
TEST_F(SettingsTest, FoldersAreReadUpToThePathLimit) {
  const std::string folder = "C:\\" + std::string(256, 'f');
  settings.SetGameFolder(GameId::TieFighter, folder);
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter), folder);
  settings.SetGameFolder(GameId::TieFighter, folder + "f");
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter), "");
  settings.SetLauncherFolder("C:\\" + std::string(257, 'f'));
  EXPECT_EQ(ReadLauncherFolder(), "");
}

TEST_F(SettingsTest, AMissingKeyOrValueReadsAsEmpty) {
  EXPECT_EQ(ReadGameFolder(GameId::XwingVsTie), "");
  EXPECT_EQ(ReadLauncherFolder(), "");
  settings.SetLauncherFolder("C:\\VNTL");
  EXPECT_EQ(ReadLastDir(), "");
  EXPECT_EQ(ReadGameFolder(GameId::XwingVsTie), "");
}

TEST_F(SettingsTest, WritingToADeletedGameKeyChangesNothing) {
  settings.SetGameFolder(GameId::XwingVsTie, "C:\\XvT");
  settings.SetGameFolder(GameId::BalanceOfPower, "C:\\XvT\\BalanceOfPower");
  ASSERT_TRUE(settings.store().DeleteKeyTree(GameKey(GameId::BalanceOfPower)));
  const std::string before = FileBytes(settings.file());
  ASSERT_FALSE(before.empty());

  WriteGameFolder(GameId::BalanceOfPower, "D:\\Elsewhere");
  EXPECT_EQ(FileBytes(settings.file()), before);
  EXPECT_EQ(ReadGameFolder(GameId::BalanceOfPower), "");
  EXPECT_EQ(ReadGameFolder(GameId::XwingVsTie), "C:\\XvT");
}

TEST_F(SettingsTest, WritingLastDirWithoutTheLauncherKeyCreatesNothing) {
  WriteLastDir("E:\\Battles");
  EXPECT_EQ(ReadLastDir(), "");
  EXPECT_EQ(settings.store().ReadString(kLauncherKey, kLastDirValue), std::nullopt);
}

// Each game's executable is looked for in its own folder, under any letter case of the
// folder's and the executable's names; a folder of the executable's name is none.
TEST_F(SettingsTest, EachGameLooksForItsExecutableInItsOwnFolder) {
  games.WriteFile("XvT\\Z_XVT__.EXE", "xvt");
  games.MakeFolder("BoP");
  games.WriteFile("TIE\\TIE95.EXE", "tie");
  games.WriteFile("XWA\\XWINGALLIANCE.EXE", "xwa");
  const char* folders[] = {"tie", "XvT", "BoP", "XWA"};
  for (GameId game : kAllGames) settings.SetGameFolder(game, games.Path(folders[Index(game)]));
  EXPECT_TRUE(GameExeExists(GameId::XwingVsTie));
  EXPECT_FALSE(GameExeExists(GameId::BalanceOfPower));
  EXPECT_TRUE(GameExeExists(GameId::TieFighter));
  EXPECT_TRUE(GameExeExists(GameId::XwingAlliance));
  games.WriteFile("BoP\\z_xvt__.exe", "bop");
  EXPECT_TRUE(GameExeExists(GameId::BalanceOfPower));

  games.MakeFolder("Other\\TIE95.exe");
  settings.SetGameFolder(GameId::TieFighter, games.Path("Other"));
  EXPECT_FALSE(GameExeExists(GameId::TieFighter));
}

TEST_F(SettingsTest, AnUnsetFolderTestsTheRootOfTheCurrentDrive) {
  // "\Xwingalliance.exe" at the root: no such file on a machine that runs tests.
  EXPECT_FALSE(GameExeExists(GameId::XwingAlliance));
}

}  // namespace
}  // namespace vantrel
