#include "games/backup.h"

#include <functional>
#include <optional>
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
using Fault = std::function<void(testing::FaultyFileSystem&)>;

class BackupGameExeTest : public testing::GameFoldersTest {
 protected:
  // Runs `attempt` once under each fault, with a faulty file system of its own installed.
  void UnderEachFault(const std::vector<Fault>& faults,
                      const std::function<void(const testing::FaultyFileSystem&)>& attempt) {
    for (const Fault& fault : faults) {
      testing::FaultyFileSystem faulty;
      testing::ScopedFileSystem scoped(faulty);
      fault(faulty);
      attempt(faulty);
    }
  }

  // Makes the executable read-only, or writable again, as a player could.
  void SetExecutableReadOnly(GameId game, bool readOnly) {
    ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(game)), readOnly));
  }
};

// A backup found here was judged by finishing the play that left it (games/finish_play.h)
// before a new one is taken; the new one replaces it whole, longer or shorter.
TEST_F(BackupGameExeTest, CopiesEveryByteUnderTheBackupNameOverAnyOlderOne) {
  const std::string original = WriteRelease(GameId::TieFighter);
  for (const std::optional<std::size_t> older : {std::optional<std::size_t>(),
                                                 std::optional(original.size() + 4096),
                                                 std::optional<std::size_t>(1000)}) {
    SCOPED_TRACE(older.value_or(0));
    if (older) temp.WriteFile(BackupOf(GameId::TieFighter), std::string(*older, 'o'));
    EXPECT_TRUE(BackupGameExe(GameId::TieFighter));
    EXPECT_EQ(ReadBackup(GameId::TieFighter), original);
    EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
    // The copy in progress was renamed into place; nothing else is left behind.
    EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE", "VNTL___.tmp"}));
  }
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

// A copy that breaks off (as on a full disk), cannot be renamed into place or meets a
// read-only older backup fails and keeps the older backup.
TEST_F(BackupGameExeTest, KeepsTheOlderBackupWhenTheNewOneCannotBeMade) {
  const std::string original = WriteRelease(GameId::TieFighter);
  const std::vector<Fault> faults = {
      [](auto& f) { f.FailWritesAfter(100'000, "VNTL___.new"); },
      [](auto& f) { f.FailAlways(testing::FileOperation::MoveFile); },
      [this](auto&) {
        ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(BackupOf(GameId::TieFighter)), true));
      },
  };
  temp.WriteFile(BackupOf(GameId::TieFighter), "older backup");
  UnderEachFault(faults, [&](const auto&) {
    EXPECT_FALSE(BackupGameExe(GameId::TieFighter));
    EXPECT_EQ(ReadBackup(GameId::TieFighter), "older backup");
    EXPECT_EQ(ReadExecutable(GameId::TieFighter), original);
    EXPECT_EQ(temp.List("TIE"), (Names{"TIE95.EXE", "VNTL___.tmp"}));
  });
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

using RestoreGameExeTest = BackupGameExeTest;

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

// A rename that fails, or a read-only executable, keeps both files; the executable is
// never deleted ahead of the rename.
TEST_F(RestoreGameExeTest, KeepsBothFilesWhenTheBackupCannotBePutBack) {
  temp.WriteFile(ExecutableOf(GameId::TieFighter), "patched");
  temp.WriteFile(BackupOf(GameId::TieFighter), "as installed");
  const std::vector<Fault> faults = {
      [](auto& f) { f.FailAlways(testing::FileOperation::MoveFile); },
      [this](auto&) {
        ASSERT_TRUE(
            platform::Files().SetReadOnly(temp.Path(ExecutableOf(GameId::TieFighter)), true));
      },
  };
  UnderEachFault(faults, [&](const testing::FaultyFileSystem& faulty) {
    EXPECT_FALSE(RestoreGameExe(GameId::TieFighter));
    EXPECT_EQ(ReadExecutable(GameId::TieFighter), "patched");
    EXPECT_EQ(ReadBackup(GameId::TieFighter), "as installed");
    EXPECT_EQ(faulty.Calls(testing::FileOperation::DeleteFile), 0);
  });
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
