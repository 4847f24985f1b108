// Finishing a play: what becomes of the executable, its backup, the plain missions and
// the journal, for every state a game folder can be found in, and the journal's own
// format.
#include "games/finish_play.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "games/patches.h"
#include "games/play_journal.h"
#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/games/game_folders.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;
using Executable = PlayFinish::Executable;
using Found = PlayFinish::Found;

enum class Exe {
  Original,      // as installed
  Patched,       // as the play's patch left it
  OtherBuild,    // another build of the same size, installed by the player since
  OtherAtPatch,  // as installed, but one byte that a patch writes holds another value
};

struct Case {
  const char* name;
  Exe exe;
  bool backup;   // "\VNTL___.tmp" with the executable as installed
  bool journal;  // the play's journal, naming the plain mission m1.tie
  Found found;
  Executable result;
  Exe exeAfter;
  bool keptAside;  // the backup kept as "Z_XVT__.EXE.before-vantrel"
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// Every row: the executable as found, backup there or not, journal there or not.
using enum Exe;
using enum PlayFinish::Found;
using enum PlayFinish::Executable;
const Case kCases[] = {
    {"PatchedWithBackupAndJournal", Patched, true, true, Journal, PutBack, Original, false},
    {"PatchedWithJournalAlone", Patched, false, true, Journal, StillPatched, Patched, false},
    {"OriginalWithBackupAndJournal", Original, true, true, Journal, Untouched, Original, false},
    {"OriginalWithJournalAlone", Original, false, true, Journal, Untouched, Original, false},
    {"OtherWithBackupAndJournal", OtherBuild, true, true, Journal, ChangedSince, OtherBuild, true},
    {"OtherWithJournalAlone", OtherBuild, false, true, Journal, Untouched, OtherBuild, false},
    {"PatchedWithOldBackup", Patched, true, false, BackupWithoutJournal, PutBack, Original, false},
    {"PatchedAlone", Patched, false, false, Nothing, Untouched, Patched, false},
    {"OriginalWithOldBackup", Original, true, false, BackupWithoutJournal, Untouched, Original,
     false},
    {"OriginalAlone", Original, false, false, Nothing, Untouched, Original, false},
    {"OtherBuildWithOldBackup", OtherBuild, true, false, BackupWithoutJournal, ChangedSince,
     OtherBuild, true},
    {"OtherAlone", OtherBuild, false, false, Nothing, Untouched, OtherBuild, false},
    // A change only where a patch writes, but not to the patch's value, is the player's.
    {"OtherAtPatchWithOldBackup", OtherAtPatch, true, false, BackupWithoutJournal, ChangedSince,
     OtherAtPatch, true},
};

class FinishPlayTest : public testing::GameFoldersTest,
                       public ::testing::WithParamInterface<Case> {
 protected:
  static constexpr GameId kGame = GameId::XwingVsTie;

  FinishPlayTest() {
    original = WriteRelease(kGame);
    EXPECT_TRUE(ApplyPatch(PatchOption::XvtTransports));
    patched = *ReadExecutable(kGame);
    otherBuild = testing::PatternBytes(original.size(), 5);
    otherAtPatch = original;
    otherAtPatch[PatchFor(PatchOption::XvtTransports).rows[2].offset] = '\x01';
  }

  const std::string& Bytes(Exe exe) const {
    return *std::array{&original, &patched, &otherBuild, &otherAtPatch}[static_cast<int>(exe)];
  }

  PlayJournal JournalOfThePlay() const {
    PlayJournal journal;
    journal.game = kGame;
    journal.backupTaken = true;
    journal.executable = StateOfBytes(original);
    journal.patched = StateOfBytes(patched);
    journal.missions = {"m1.tie"};
    return journal;
  }

  std::string original, patched, otherBuild, otherAtPatch;
};

TEST_P(FinishPlayTest, DecidesByTheExecutableBackupAndJournal) {
  const Case& c = GetParam();
  temp.WriteFile(ExecutableOf(kGame), Bytes(c.exe));
  if (c.backup) temp.WriteFile(BackupOf(kGame), original);
  temp.MakeFolder(In(kGame, "TRAIN"));
  temp.WriteFile(In(kGame, "TRAIN/m1.tie"), "plain");
  if (c.journal) {
    ASSERT_TRUE(WritePlayJournal(JournalOfThePlay()));
    // A copy broken off when the play was ended during its backup goes with it.
    temp.WriteFile(In(kGame, "VNTL___.new"), "half a cop");
  }

  const PlayFinish finish = FinishPlay(kGame);

  EXPECT_EQ(finish.found, c.found);
  EXPECT_EQ(finish.executable, c.result);
  EXPECT_TRUE(finish.finished);
  EXPECT_TRUE(ReadExecutable(kGame) == Bytes(c.exeAfter));
  // Balance of Power lives in a folder inside X-Wing vs. TIE Fighter's.
  Names expected = {"BalanceOfPower/", "TRAIN/", "Z_XVT__.EXE"};
  if (c.keptAside) {
    expected.push_back("Z_XVT__.EXE.before-vantrel");
    EXPECT_TRUE(temp.ReadFile(In(kGame, "Z_XVT__.EXE.before-vantrel")) == original);
    EXPECT_EQ(finish.keptBackup, temp.Path(FolderOf(kGame) + "\\Z_XVT__.EXE.before-vantrel"));
  }
  EXPECT_EQ(temp.List(FolderOf(kGame)), expected);
  // Only a journal names the plain missions; without one they are not guessed at.
  EXPECT_EQ(temp.List(In(kGame, "TRAIN")), c.journal ? Names{} : Names{"m1.tie"});
  EXPECT_EQ(finish.missionsRemoved, c.journal ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(EveryState, FinishPlayTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return info.param.name;
                         });

// A backup that cannot be put back (the executable is read-only, or in use on Windows),
// or an executable or backup that cannot be read, stays with the journal, so that the
// next run tries again.
TEST_F(FinishPlayTest, KeepsEverythingWhenTheBackupCannotBePutBack) {
  for (const char* unreadable : {"", "Z_XVT__.EXE", "VNTL___.tmp"}) {
    SCOPED_TRACE(unreadable);
    temp.WriteFile(ExecutableOf(kGame), patched);
    temp.WriteFile(BackupOf(kGame), original);
    ASSERT_TRUE(WritePlayJournal(JournalOfThePlay()));
    testing::FaultyFileSystem faulty;
    testing::ScopedFileSystem installed(faulty);
    if (*unreadable) {
      faulty.FailAlways(testing::FileOperation::Open, unreadable);
    } else {
      ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(kGame)), true));
    }

    const PlayFinish finish = FinishPlay(kGame);
    EXPECT_EQ(finish.executable, Executable::CouldNotPutBack);
    EXPECT_FALSE(finish.finished);
    EXPECT_EQ(temp.List(FolderOf(kGame)),
              (Names{"BalanceOfPower/", "VNTL___.jnl", "VNTL___.tmp", "Z_XVT__.EXE"}));
    faulty.Heal();
    ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(kGame)), false));
  }

  const PlayFinish finish = FinishPlay(kGame);
  EXPECT_EQ(finish.executable, Executable::PutBack);
  EXPECT_TRUE(ReadExecutable(kGame) == original);
  EXPECT_EQ(temp.List(FolderOf(kGame)), (Names{"BalanceOfPower/", "Z_XVT__.EXE"}));
}

TEST(PlayJournal, IsReadBackAsWritten) {
  PlayJournal journal;
  journal.game = GameId::XwingAlliance;
  journal.backupTaken = true;
  journal.executable = ExecutableState{2'151'936, 0x0012ABCD};
  journal.patched = ExecutableState{2'151'936, 0xFFFFFFFF};
  journal.missions = {"b1m1.tie", "B1M2.TIE"};
  const std::string text = FormatPlayJournal(journal);
  EXPECT_EQ(text,
            "# Vantrel play journal: a play of X-Wing Alliance that has not finished yet.\n"
            "# The next play, load or `vantrel repair` puts back what it changed here.\n"
            "game=3\n"
            "backup=VNTL___.tmp\n"
            "executable=2151936 0012abcd\n"
            "patched=2151936 ffffffff\n"
            "mission=b1m1.tie\n"
            "mission=B1M2.TIE\n");
  EXPECT_EQ(ParsePlayJournal(text), journal);
  EXPECT_EQ(StateOfBytes("123456789"), (ExecutableState{9, 0xCBF43926}));
}

TEST(PlayJournal, RefusesWhatItDidNotWrite) {
  for (const char* text :
       {"", "backup=VNTL___.tmp\n", "game=4\n", "game=1\nmission=..\\x.tie\n",
        "game=1\nmission=../x.tie\n", "game=1\nmission=..\n", "game=1\nexecutable=12\n",
        "game=1\npatched=12 xyz\n", "game=1\nbackup=TIE95.EXE\n", "game=1\ncolour=red\n",
        "game=1\nwhat\n"}) {
    EXPECT_EQ(ParsePlayJournal(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace vantrel
