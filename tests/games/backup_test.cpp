#include "games/backup.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "games/executables.h"
#include "games/patches.h"
#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/games/game_folders.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

class BackupGameExeTest : public testing::GameFoldersTest {
 protected:
  // Makes the executable read-only, or writable again, as a player could.
  void SetExecutableReadOnly(GameId game, bool readOnly) {
    ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(game)), readOnly));
  }
};

TEST_F(BackupGameExeTest, CopiesEveryByteUnderTheBackupName) {
  const std::string original = WriteRelease(GameId::TieFighter);
  EXPECT_TRUE(BackupGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadBackup(GameId::TieFighter), original);
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
  // The copy in progress was renamed into place; nothing else is left behind.
  EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE", "VNTL___.tmp"}));
}

TEST_F(BackupGameExeTest, ReplacesAnOlderLongerBackupCompletely) {
  const std::string original = WriteRelease(GameId::XwingAlliance);
  temp.WriteFile(BackupOf(GameId::XwingAlliance), std::string(original.size() + 4096, 'o'));
  EXPECT_TRUE(BackupGameExe(GameId::XwingAlliance));
  EXPECT_EQ(ReadBackup(GameId::XwingAlliance), original);
  EXPECT_EQ(ReadExecutable(GameId::XwingAlliance), original);
}

TEST_F(BackupGameExeTest, KeepsEachGameFoldersBackupApart) {
  const std::string xvt = WriteRelease(GameId::XwingVsTie, 1);
  const std::string bop = WriteRelease(GameId::BalanceOfPower, 2);
  EXPECT_TRUE(BackupGameExe(GameId::BalanceOfPower));
  EXPECT_EQ(ReadBackup(GameId::BalanceOfPower), bop);
  EXPECT_FALSE(temp.Exists(BackupOf(GameId::XwingVsTie)));
  EXPECT_TRUE(BackupGameExe(GameId::XwingVsTie));
  EXPECT_EQ(ReadBackup(GameId::XwingVsTie), xvt);
  EXPECT_EQ(ReadBackup(GameId::BalanceOfPower), bop);
}

TEST_F(BackupGameExeTest, FailsWithoutAnExecutableAndKeepsAnOlderBackup) {
  EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
  EXPECT_TRUE(temp.List("TIE").empty());

  temp.WriteFile(BackupOf(GameId::TieFighter), "older backup");
  EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
  EXPECT_EQ(temp.List("TIE"), (Names{"VNTL___.tmp"}));
  EXPECT_EQ(ReadBackup(GameId::TieFighter), "older backup");
}

TEST_F(BackupGameExeTest, KeepsTheOlderBackupWhenTheCopyBreaksOff) {
  const std::string original = WriteRelease(GameId::TieFighter);
  temp.WriteFile(BackupOf(GameId::TieFighter), "older backup");
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem scoped(faulty);
  faulty.FailWritesAfter(100'000, "VNTL___.new");  // as on a full disk

  EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadBackup(GameId::TieFighter), "older backup");
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
  EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE", "VNTL___.tmp"}));
}

TEST_F(BackupGameExeTest, KeepsTheOlderBackupWhenTheCopyCannotBeRenamedIntoPlace) {
  const std::string original = WriteRelease(GameId::XwingVsTie);
  temp.WriteFile(BackupOf(GameId::XwingVsTie), "older backup");
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem scoped(faulty);
  faulty.FailAlways(testing::FileOperation::MoveFile);

  EXPECT_FALSE(BackupGameExe(GameId::XwingVsTie));
  EXPECT_EQ(ReadBackup(GameId::XwingVsTie), "older backup");
  EXPECT_EQ(ReadExecutable(GameId::XwingVsTie), original);
  EXPECT_EQ(temp.List("XVT"), (Names{"BalanceOfPower/", "VNTL___.tmp", "Z_XVT__.EXE"}));
}

TEST_F(BackupGameExeTest, FailsWhenTheOlderBackupIsReadOnly) {
  const std::string original = WriteRelease(GameId::TieFighter);
  temp.WriteFile(BackupOf(GameId::TieFighter), "older backup");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(BackupOf(GameId::TieFighter)), true));
  EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadBackup(GameId::TieFighter), "older backup");
  EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE", "VNTL___.tmp"}));
}

TEST_F(BackupGameExeTest, RefusesAFolderThatLeavesNoRoomForTheBackupName) {
  // 249 characters of folder: "\TIE95.EXE" still fits in 259, "\VNTL___.tmp" does not.
  const std::size_t room = 249 - temp.path().size() - 1;
  const std::string deep(room, 'd');
  ASSERT_EQ(temp.Path(deep).size(), 249u);
  settings.SetGameFolder(GameId::TieFighter, temp.Path(deep));
  const std::string original = testing::PatternBytes(testing::kReleaseSizes[0]);
  temp.WriteFile(deep + "\\TIE95.EXE", original);
  ASSERT_TRUE(IdentifyGameExe(GameId::TieFighter));

  EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
  EXPECT_EQ(temp.List(deep), (Names{"TIE95.EXE"}));
}

TEST_F(BackupGameExeTest, ReplacesALeftoverBackupOfAnotherSize) {
  // A backup found here was judged by finishing the play that left it (games/finish_play.h)
  // before a new one is taken; the new one replaces it whole.
  const std::string original = WriteRelease(GameId::BalanceOfPower);
  temp.WriteFile(BackupOf(GameId::BalanceOfPower), std::string(1000, 'o'));
  EXPECT_TRUE(BackupGameExe(GameId::BalanceOfPower));
  EXPECT_EQ(ReadExecutable(GameId::BalanceOfPower), original);
  EXPECT_EQ(ReadBackup(GameId::BalanceOfPower), original);
}

TEST_F(BackupGameExeTest, ReadOnlyExecutableIsBackedUpButNotPatched) {
  const std::string original = WriteRelease(GameId::TieFighter);
  SetExecutableReadOnly(GameId::TieFighter, true);

  // A play stops at the patch and leaves the backup, equal to the untouched executable.
  for (int play = 0; play < 2; ++play) {
    SCOPED_TRACE(play);
    EXPECT_TRUE(IdentifyGameExe(GameId::TieFighter));
    EXPECT_TRUE(BackupGameExe(GameId::TieFighter));
    EXPECT_FALSE(PatchTieRebelFighters());
    EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
    EXPECT_EQ(ReadBackup(GameId::TieFighter), original);
  }

  // Once the file is writable again the next play goes through and tidies up.
  SetExecutableReadOnly(GameId::TieFighter, false);
  EXPECT_TRUE(BackupGameExe(GameId::TieFighter));
  EXPECT_TRUE(PatchTieRebelFighters());
  EXPECT_TRUE(RestoreGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
  EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE"}));
}

class RestoreGameExeTest : public testing::GameFoldersTest {};

TEST_F(RestoreGameExeTest, PutsTheBackupInPlaceAndTouchesNothingElse) {
  temp.WriteFile(ExecutableOf(GameId::XwingAlliance), "patched");
  temp.WriteFile(BackupOf(GameId::XwingAlliance), "as installed");
  temp.WriteFile("XWA\\Config.cfg", "config");
  temp.WriteFile("XWA\\MISSIONS\\m.tie", "mission");

  EXPECT_TRUE(RestoreGameExe(GameId::XwingAlliance));
  EXPECT_EQ(ReadExecutable(GameId::XwingAlliance), "as installed");
  EXPECT_EQ(temp.List("XWA"), (Names{"Config.cfg", "MISSIONS/", "XWINGALLIANCE.EXE"}));
  EXPECT_EQ(temp.ReadFile("XWA\\Config.cfg"), "config");
  EXPECT_EQ(temp.ReadFile("XWA\\MISSIONS\\m.tie"), "mission");
}

TEST_F(RestoreGameExeTest, LeavesTheExecutableWhenThereIsNoBackup) {
  temp.WriteFile(ExecutableOf(GameId::TieFighter), "executable");
  EXPECT_TRUE(RestoreGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), "executable");
  EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE"}));
}

TEST_F(RestoreGameExeTest, RestoresOnlyItsOwnGamesFolder) {
  temp.WriteFile(ExecutableOf(GameId::XwingVsTie), "xvt patched");
  temp.WriteFile(BackupOf(GameId::XwingVsTie), "xvt");
  temp.WriteFile(ExecutableOf(GameId::BalanceOfPower), "bop patched");
  temp.WriteFile(BackupOf(GameId::BalanceOfPower), "bop");

  EXPECT_TRUE(RestoreGameExe(GameId::BalanceOfPower));
  EXPECT_EQ(ReadExecutable(GameId::BalanceOfPower), "bop");
  EXPECT_FALSE(temp.Exists(BackupOf(GameId::BalanceOfPower)));
  EXPECT_EQ(ReadExecutable(GameId::XwingVsTie), "xvt patched");
  EXPECT_EQ(ReadBackup(GameId::XwingVsTie), "xvt");
}

TEST_F(RestoreGameExeTest, KeepsBothFilesWhenTheRenameFails) {
  temp.WriteFile(ExecutableOf(GameId::TieFighter), "patched");
  temp.WriteFile(BackupOf(GameId::TieFighter), "as installed");
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem scoped(faulty);
  faulty.FailAlways(testing::FileOperation::MoveFile);

  EXPECT_FALSE(RestoreGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), "patched");
  EXPECT_EQ(ReadBackup(GameId::TieFighter), "as installed");
  // The executable is never deleted ahead of the rename.
  EXPECT_EQ(faulty.Calls(testing::FileOperation::DeleteFile), 0);
}

TEST_F(RestoreGameExeTest, LeavesAReadOnlyExecutableAndItsBackup) {
  temp.WriteFile(ExecutableOf(GameId::TieFighter), "patched");
  temp.WriteFile(BackupOf(GameId::TieFighter), "as installed");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(GameId::TieFighter)), true));

  EXPECT_FALSE(RestoreGameExe(GameId::TieFighter));
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), "patched");
  EXPECT_EQ(ReadBackup(GameId::TieFighter), "as installed");
}

TEST_F(RestoreGameExeTest, GivesTheExecutableBackItsTimes) {
  const std::string original = WriteRelease(GameId::XwingVsTie);
  const std::string exe = temp.Path(ExecutableOf(GameId::XwingVsTie));
  // 2001-02-03 04:05:06 UTC, in 100-nanosecond ticks since 1601.
  const platform::FileTime installed = 126'256'467'060'000'000;
  ASSERT_TRUE(platform::Files().SetTimes(exe, {std::nullopt, std::nullopt, installed}));

  ASSERT_TRUE(BackupGameExe(GameId::XwingVsTie));
  ASSERT_TRUE(PatchXvtTransports());
  ASSERT_TRUE(RestoreGameExe(GameId::XwingVsTie));
  EXPECT_EQ(ReadExecutable(GameId::XwingVsTie), original);
  const std::optional<platform::FileTimes> times = platform::Files().GetTimes(exe);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->lastWrite, installed);
}

}  // namespace
}  // namespace vantrel
