// `vantrel play` ended from outside while the game runs, as a player's terminal, a
// desktop logging out or `kill` ends it: the real program is started on a stand-in game
// that keeps running, and sent a real signal. TERM, INT and HUP are caught and everything
// is put back; KILL cannot be caught, and the next `vantrel repair` finishes the play
// from the journal it left.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/game_table.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/hex.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

constexpr std::size_t kXvtReleaseSize = 1'422'336;
constexpr long kFirstPatchRow = 0x12AB8F;  // "TIEADV" and a NUL
constexpr std::filesystem::perms kInstalledMode = static_cast<std::filesystem::perms>(0755);

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How a program ended: "exit N", or "signal N" when a signal ended it before it could.
std::string EndOf(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : "?";
}

class InterruptedPlayTest : public ::testing::Test {
 protected:
  InterruptedPlayTest() {
    temp.MakeFolder("launcher");
    settings.SetLauncherFolder(temp.Path("launcher"));
    settings.SetGameFolder(GameId::XwingVsTie, temp.Path("XVT"));
    // The stand-in, padded to the release's size so that it takes the patch.
    executable = FileBytes(VANTREL_STAND_IN_PLAYER);
    executable.resize(kXvtReleaseSize, '\0');
    temp.WriteFile("XVT/Z_XVT__.EXE", executable);
    std::filesystem::permissions(temp.Native("XVT/Z_XVT__.EXE"), kInstalledMode);
    temp.MakeFolder("XVT/TRAIN");
    temp.WriteFile("XVT/KZMISS/Battle.kzb",
                   testing::BattleListBytes(1, 0x5A, "Held", {"m1.tie", "m2.tie"}));
    temp.WriteFile("XVT/KZMISS/m1.tie", testing::Enciphered("first mission", 0x5A));
    temp.WriteFile("XVT/KZMISS/m2.tie", testing::Enciphered("second", 0x5A));
    // The game shows what it found, then plays until the test lets it go, and says so.
    temp.WriteFile("XVT/probe.txt", "file TRAIN/m1.tie\nself " + std::to_string(kFirstPatchRow) +
                                        " 7\nwait-for go.txt\nfile go.txt\n");
  }

  // Starts `vantrel --registry FILE WORDS...` without a runner, its standard output
  // going to `output` and its standard error to `errors` when they are given.
  pid_t Start(const std::vector<std::string>& words, const std::string& output = {},
              const std::string& errors = {}) {
    std::vector<std::string> arguments = {VANTREL_PROGRAM, "--registry", settings.file()};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    unsetenv("VANTREL_RUNNER");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!output.empty()) {
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (!errors.empty()) {
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
  }

  std::string Wait(pid_t child) {
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return EndOf(status);
  }

  // True once the stand-in's log holds `text`; false after a minute without it, when
  // the test has failed anyway.
  bool GameLogged(const std::string& text) {
    for (int tries = 0; tries < 600; ++tries) {
      if (temp.ReadFile("XVT/played.log").value_or("").find(text) != std::string::npos) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  // The stand-in has shown what it found and waits to be let go.
  bool GameRuns() { return GameLogged("self "); }

  // While the game runs: the patch and the plain missions are in place, and the journal
  // names them.
  void ExpectPlayUnderWay() {
    const std::string played = *temp.ReadFile("XVT/played.log");
    EXPECT_NE(played.find("file TRAIN/m1.tie 13 " + testing::Hex("first mission")),
              std::string::npos) << played;
    EXPECT_NE(played.find("self " + std::to_string(kFirstPatchRow) + " " +
                          testing::Hex(std::string("TIEADV\0", 7))),
              std::string::npos) << played;
    const std::string journal = temp.ReadFile("XVT/VNTL___.jnl").value_or("");
    EXPECT_NE(journal.find("\nbackup=VNTL___.tmp\n"), std::string::npos) << journal;
    EXPECT_NE(journal.find("\nmission=m1.tie\nmission=m2.tie\n"), std::string::npos) << journal;
  }

  // Everything back: the executable as installed, still allowed to run (the native
  // stand-in needs it to play again), no plain mission, no journal, no backup.
  void ExpectEverythingBack() {
    EXPECT_TRUE(temp.ReadFile("XVT/Z_XVT__.EXE") == executable);
    EXPECT_EQ(std::filesystem::status(temp.Native("XVT/Z_XVT__.EXE")).permissions(),
              kInstalledMode);
    EXPECT_EQ(temp.List("XVT/TRAIN"), Names{});
    EXPECT_EQ(temp.List("XVT"), (Names{"KZMISS/", "TRAIN/", "Z_XVT__.EXE", "played.log",
                                       "probe.txt"}));
  }

  testing::TempFolder temp;
  testing::ScopedSettings settings;
  std::string executable;
};

TEST_F(InterruptedPlayTest, TermIntAndHupEndTheGameAndPutEverythingBack) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    std::filesystem::remove(temp.Native("XVT/played.log"));
    const pid_t play = Start({"play", "xvt", "--transports"});
    ASSERT_TRUE(GameRuns());
    ExpectPlayUnderWay();

    ASSERT_EQ(kill(play, signal), 0);
    // Caught: vantrel itself ends, with 128 + the signal's number.
    EXPECT_EQ(Wait(play), "exit " + std::to_string(128 + signal));
    ExpectEverythingBack();
    // The game was ended, not let go.
    EXPECT_EQ(temp.ReadFile("XVT/played.log")->find("file go.txt"), std::string::npos);
  }
}

// An executable that cannot be put back after the signal (made read-only while the game
// ran) is not told as put back: the play's journal stays for `vantrel repair`.
TEST_F(InterruptedPlayTest, WhatCannotBePutBackIsLeftForRepair) {
  const pid_t play = Start({"play", "xvt", "--transports"}, {}, temp.SystemPath("errors.txt"));
  ASSERT_TRUE(GameRuns());
  std::filesystem::permissions(temp.Native("XVT/Z_XVT__.EXE"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ASSERT_EQ(kill(play, SIGTERM), 0);
  EXPECT_EQ(Wait(play), "exit " + std::to_string(128 + SIGTERM));

  const std::string errors = temp.ReadFile("errors.txt").value_or("");
  EXPECT_TRUE(errors.ends_with(
      "vantrel: the play was interrupted (signal 15); the game was ended, but not everything "
      "could be put back: run `vantrel repair` once the files are free\n"))
      << errors;
  EXPECT_EQ(temp.List("XVT"), (Names{"KZMISS/", "TRAIN/", "VNTL___.jnl", "VNTL___.tmp",
                                     "Z_XVT__.EXE", "played.log", "probe.txt"}));
}

TEST_F(InterruptedPlayTest, AfterKillTheNextRepairFinishesThePlay) {
  const pid_t play = Start({"play", "xvt", "--transports"});
  ASSERT_TRUE(GameRuns());
  ASSERT_EQ(kill(play, SIGKILL), 0);
  EXPECT_EQ(Wait(play), "signal " + std::to_string(SIGKILL));

  // What the killed play left: the executable patched, its backup, both plain missions
  // and the journal that names them.
  ExpectPlayUnderWay();
  EXPECT_FALSE(temp.ReadFile("XVT/Z_XVT__.EXE") == executable);
  EXPECT_TRUE(temp.ReadFile("XVT/VNTL___.tmp") == executable);
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Names{"m1.tie", "m2.tie"}));
  // The game outlives the launcher that started it, until the player leaves it.
  temp.WriteFile("XVT/go.txt", "");
  ASSERT_TRUE(GameLogged("file go.txt"));
  std::filesystem::remove(temp.Native("XVT/go.txt"));

  const pid_t repair = Start({"repair", "xvt"}, temp.SystemPath("repair.txt"));
  EXPECT_EQ(Wait(repair), "exit 0");
  EXPECT_EQ(temp.ReadFile("repair.txt"),
            "xvt\tinterrupted play: executable put back, 2 plain missions removed\n");
  ExpectEverythingBack();
}

}  // namespace
}  // namespace vantrel
