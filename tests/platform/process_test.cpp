#include "platform/process.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/games/stand_in.h"
#include "tests/support/temp_folder.h"
#ifndef _WIN32
#include "tests/support/scoped_environment.h"
#endif

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
  EXPECT_EQ(launches[0].folder, temp.SystemPath("elsewhere"));
}

TEST_F(RunAndWaitTest, LeavesTheCallersCurrentFolderAsItWas) {
  const std::string before = Files().CurrentFolder();
  EXPECT_EQ(RunAndWait(Game()), 0);
  EXPECT_EQ(Files().CurrentFolder(), before);
}

TEST_F(RunAndWaitTest, StartsNothingWhereTheProgramOrItsFolderCannotBeUsed) {
  const std::pair<const char*, GameProcess> cases[] = {
      {"missing program", {temp.Path("game\\OTHER.EXE"), {}, temp.Path("game")}},
      {"missing working folder", {temp.Path("game\\GAME.EXE"), {}, temp.Path("missing")}},
      {"program path over the limit", {temp.Path(std::string(260, 'x')) + "\\GAME.EXE", {}, {}}},
  };
  for (const auto& [what, process] : cases) EXPECT_EQ(RunAndWait(process), std::nullopt) << what;
  EXPECT_TRUE(Launches().empty());
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
  {
    const testing::ScopedEnvironment runner("VANTREL_RUNNER", "env A=1 wine");
    EXPECT_EQ(GameRunner(), "env A=1 wine");
    RunnerCommand other{"other"};
    const ScopedService<RunnerCommand> installed(other);
    EXPECT_EQ(GameRunner(), "other");
  }
  const testing::ScopedEnvironment noRunner("VANTREL_RUNNER", std::nullopt);
  EXPECT_EQ(GameRunner(), "");
}
#endif

}  // namespace
}  // namespace vantrel::platform
