#include "platform/process.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/games/stand_in.h"
#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

using Words = std::vector<std::string>;

// Runs without a runner, whatever the environment of the test says.
class RunAndWaitTest : public ::testing::Test {
 protected:
  RunAndWaitTest() { testing::InstallStandInGame(temp.Native("game\\GAME.EXE")); }

  GameProcess Game(Words arguments = {}) const {
    return {temp.Path("game\\GAME.EXE"), std::move(arguments), temp.Path("game")};
  }
  std::vector<testing::LaunchRecord> Launches() const {
    return testing::ReadLaunchLog(temp.Native("game"));
  }

  testing::TempFolder temp;
  RunnerCommand none;
  ScopedService<RunnerCommand> noRunner{none};
};

TEST_F(RunAndWaitTest, GivesTheExitCodeOnceTheProgramHasEnded) {
  testing::SetStandInExitCode(temp.Native("game"), 7);
  EXPECT_EQ(RunAndWait(Game()), 7);
  EXPECT_EQ(Launches().size(), 1u);
}

TEST_F(RunAndWaitTest, PassesEachArgumentWhole) {
  const Words arguments = {"skipintro", "two words", "a \"quoted\" word", "ends\\",
                           "back\\\\\"slashes", "", "tab\there"};
  EXPECT_EQ(RunAndWait(Game(arguments)), 0);
  const std::vector<testing::LaunchRecord> launches = Launches();
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].arguments, arguments);
}

TEST_F(RunAndWaitTest, StartsTheProgramInItsWorkingFolder) {
  temp.MakeFolder("elsewhere");
  GameProcess process = Game();
  process.workingFolder = temp.Path("elsewhere");
  EXPECT_EQ(RunAndWait(process), 0);
  const std::vector<testing::LaunchRecord> launches = Launches();
  ASSERT_EQ(launches.size(), 1u);
  std::string expected = temp.Path("elsewhere");
#ifndef _WIN32
  std::replace(expected.begin(), expected.end(), '\\', '/');
#endif
  EXPECT_EQ(launches[0].folder, expected);
}

TEST_F(RunAndWaitTest, LeavesTheCallersCurrentFolderAsItWas) {
  const std::string before = Files().CurrentFolder();
  EXPECT_EQ(RunAndWait(Game()), 0);
  EXPECT_EQ(Files().CurrentFolder(), before);
}

TEST_F(RunAndWaitTest, StartsNothingForAMissingProgram) {
  EXPECT_EQ(RunAndWait({temp.Path("game\\OTHER.EXE"), {}, temp.Path("game")}), std::nullopt);
}

TEST_F(RunAndWaitTest, StartsNothingInAMissingWorkingFolder) {
  GameProcess process = Game();
  process.workingFolder = temp.Path("missing");
  EXPECT_EQ(RunAndWait(process), std::nullopt);
  EXPECT_TRUE(Launches().empty());
}

TEST_F(RunAndWaitTest, RefusesAProgramPathOverTheLimit) {
  const std::string tooLong = temp.Path(std::string(260, 'x')) + "\\GAME.EXE";
  EXPECT_EQ(RunAndWait({tooLong, {}, {}}), std::nullopt);
}

TEST(GameRunnerTest, SplitsTheRunnerIntoWordsOnBlanks) {
  EXPECT_EQ(RunnerWords("wine"), (Words{"wine"}));
  EXPECT_EQ(RunnerWords("  env\tWINEDEBUG=-all   wine "), (Words{"env", "WINEDEBUG=-all", "wine"}));
  EXPECT_EQ(RunnerWords("\"a b\""), (Words{"\"a", "b\""}));
  EXPECT_TRUE(RunnerWords(" \t ").empty());
}

TEST(GameRunnerTest, TheInstalledRunnerHoldsUntilItsGuardGoes) {
  RunnerCommand wine{"wine"};
  RunnerCommand none;
  {
    const ScopedService<RunnerCommand> outer(wine);
    EXPECT_EQ(GameRunner(), "wine");
    {
      const ScopedService<RunnerCommand> inner(none);
      EXPECT_EQ(GameRunner(), "");
    }
    EXPECT_EQ(GameRunner(), "wine");
  }
}

#ifndef _WIN32
TEST(GameRunnerTest, FallsBackToTheEnvironment) {
  const ScopedService<RunnerCommand> defaultRunner(nullptr);
  ASSERT_EQ(setenv("VANTREL_RUNNER", "env A=1 wine", 1), 0);
  EXPECT_EQ(GameRunner(), "env A=1 wine");
  {
    RunnerCommand other{"other"};
    const ScopedService<RunnerCommand> installed(other);
    EXPECT_EQ(GameRunner(), "other");
  }
  unsetenv("VANTREL_RUNNER");
  EXPECT_EQ(GameRunner(), "");
}
#endif

}  // namespace
}  // namespace vantrel::platform
