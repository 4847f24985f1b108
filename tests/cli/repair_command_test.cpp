// `vantrel repair`: a line per game, and what could not be done told with its cause.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/cli/cli_run.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/launcher/interrupted_play.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using testing::RunCommand;

class RepairCommandTest : public testing::GameWorldTest {
 protected:
  void LeaveAnInterruptedPlay() {
    testing::LeaveAnInterruptedPlay(*this, GameId::XwingVsTie, "m1.tie");
  }
};

TEST_F(RepairCommandTest, SaysPerGameWhatItFoundAndDid) {
  LeaveAnInterruptedPlay();
  const auto run = RunCommand(cli::RepairCommand, {});
  EXPECT_EQ(run.status, 0);
  const std::string nothing = "nothing to repair";
  EXPECT_EQ(run.out, testing::PerGame(
                         nothing, "interrupted play: executable put back, 1 plain mission removed",
                         nothing, nothing));
  EXPECT_EQ(temp.ReadFile("XVT/Z_XVT__.EXE"), "as installed");
  EXPECT_EQ(temp.List("XVT"), (std::vector<std::string>{"TRAIN/", "Z_XVT__.EXE"}));
  EXPECT_EQ(RunCommand(cli::RepairCommand, {"xvt"}).out, "xvt\tnothing to repair\n");
}

TEST_F(RepairCommandTest, WhatCannotBeDoneNowIsToldWithItsCauseAndKeptForNextTime) {
  LeaveAnInterruptedPlay();
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\Z_XVT__.EXE"), true));
  const auto run = RunCommand(cli::RepairCommand, {"xvt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "xvt\tinterrupted play: could not put the executable back, 1 plain mission "
                     "removed\n");
  const std::string exe = temp.SystemPath("XVT/Z_XVT__.EXE");
  EXPECT_EQ(run.err.rfind("vantrel: The last play of X-Wing vs. TIE Fighter did not finish. Its 1 "
                          "plain mission in " + temp.SystemPath("XVT/TRAIN/") +
                          " has been removed.\nvantrel: The last play of X-Wing vs. TIE Fighter "
                          "did not finish. Vantrel could not put back its executable: " + exe +
                          ", the copy ", 0), 0u) << run.err;
  // The line after it names the file and the system's reason.
  EXPECT_NE(run.err.find(".\n  " + exe + ": "), std::string::npos) << run.err;
  EXPECT_EQ(temp.List("XVT"),
            (std::vector<std::string>{"TRAIN/", "VNTL___.jnl", "VNTL___.tmp", "Z_XVT__.EXE"}));
}

// The play ended before the patch: the executable is as installed, and only its copy,
// which cannot be deleted now, stays with the journal.
TEST_F(RepairCommandTest, ABackupThatCannotBeDeletedIsNotToldAsAnExecutableNotPutBack) {
  LeaveAnInterruptedPlay();
  temp.WriteFile("XVT/Z_XVT__.EXE", testing::kInstalledBytes);
  testing::FaultyFileSystem faulty;
  const testing::ScopedFileSystem installed(faulty);
  faulty.FailAlways(testing::FileOperation::DeleteFile, "VNTL___.tmp");
  const auto run = RunCommand(cli::RepairCommand, {"xvt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "xvt\tinterrupted play: executable as installed, its backup could not be "
                     "deleted, 1 plain mission removed\n");
  const std::string backup = temp.SystemPath("XVT/VNTL___.tmp");
  EXPECT_NE(run.err.find("vantrel: The last play of X-Wing vs. TIE Fighter did not finish. Its "
                         "executable " + temp.SystemPath("XVT/Z_XVT__.EXE") + " is as installed, "
                         "but the copy " + backup + " of the executable could not be deleted. It "
                         "is left, with the play journal " + temp.SystemPath("XVT/VNTL___.jnl") +
                         ", for the next play to delete; make sure it is not read-only or in "
                         "use.\n  " + backup + ": Access denied\n"),
            std::string::npos) << run.err;
  EXPECT_EQ(temp.List("XVT"),
            (std::vector<std::string>{"TRAIN/", "VNTL___.jnl", "VNTL___.tmp", "Z_XVT__.EXE"}));
  faulty.Heal();
  EXPECT_EQ(RunCommand(cli::RepairCommand, {"xvt"}).out, "xvt\tinterrupted play\n");
  EXPECT_EQ(temp.List("XVT"), (std::vector<std::string>{"TRAIN/", "Z_XVT__.EXE"}));
}

}  // namespace
}  // namespace vantrel
