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

// A read-only executable, and a backup that cannot be deleted when the play ended before
// the patch (the executable is as installed): each told as what it is, with the file and
// the system's reason on the line after; everything stays for the next run, which finishes.
TEST_F(RepairCommandTest, WhatCannotBeDoneNowIsToldWithItsCauseAndKeptForNextTime) {
  const std::string exe = temp.SystemPath("XVT/Z_XVT__.EXE");
  const std::string backup = temp.SystemPath("XVT/VNTL___.tmp");
  const std::string opening = "vantrel: The last play of X-Wing vs. TIE Fighter did not finish. ";
  const std::string removed =
      opening + "Its 1 plain mission in " + temp.SystemPath("XVT/TRAIN/") + " has been removed.\n";
  const struct {
    bool patched;  // else the executable is as installed and the backup cannot be deleted
    std::string out, err, cause, outNextTime;
  } cases[] = {
      {true, "could not put the executable back",
       opening + "Vantrel could not put back its executable: " + exe + ", the copy ", exe + ": ",
       ": executable put back"},
      {false, "executable as installed, its backup could not be deleted",
       opening + "Its executable " + exe + " is as installed, but the copy " + backup +
           " of the executable could not be deleted. It is left, with the play journal " +
           temp.SystemPath("XVT/VNTL___.jnl") + ", for the next play to delete; make sure it "
           "is not read-only or in use.",
       backup + ": Access denied\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    LeaveAnInterruptedPlay();
    testing::FaultyFileSystem faulty;
    const testing::ScopedFileSystem installed(faulty);
    if (c.patched) {
      ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\Z_XVT__.EXE"), true));
    } else {
      temp.WriteFile("XVT/Z_XVT__.EXE", testing::kInstalledBytes);
      faulty.FailAlways(testing::FileOperation::DeleteFile, "VNTL___.tmp");
    }
    const auto run = RunCommand(cli::RepairCommand, {"xvt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "xvt\tinterrupted play: " + c.out + ", 1 plain mission removed\n");
    EXPECT_EQ(run.err.find(removed + c.err), 0u) << run.err;
    EXPECT_NE(run.err.find(".\n  " + c.cause), std::string::npos) << run.err;
    EXPECT_EQ(temp.List("XVT"),
              (std::vector<std::string>{"TRAIN/", "VNTL___.jnl", "VNTL___.tmp", "Z_XVT__.EXE"}));

    faulty.Heal();
    ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\Z_XVT__.EXE"), false));
    EXPECT_EQ(RunCommand(cli::RepairCommand, {"xvt"}).out,
              "xvt\tinterrupted play" + c.outNextTime + "\n");
    EXPECT_EQ(temp.List("XVT"), (std::vector<std::string>{"TRAIN/", "Z_XVT__.EXE"}));
  }
}

}  // namespace
}  // namespace vantrel
