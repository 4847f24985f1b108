#include "games/launch_game.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "tests/fakes/fake_ui.h"
#include "tests/games/game_folders.h"
#include "tests/games/stand_in.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using Words = std::vector<std::string>;
using testing::LaunchRecord;

// The four games in folders of their own, TIE Fighter 95 under a path with blanks.
class LaunchGameTest : public testing::GameWorldTest {
 protected:
  LaunchGameTest()
      : GameWorldTest({"Program Files\\TIE Fighter 95", "XvT", "XvT\\BalanceOfPower", "XWA"}) {}

  static std::string ExecutableName(GameId game) {
    return std::string(testing::kExecutableNames[Index(game)]);
  }
  void InstallGame(GameId game, const std::string& name) {
    testing::InstallStandInGame(temp.Native(FolderOf(game) + "\\" + name));
  }
  void InstallGame(GameId game) { InstallGame(game, ExecutableName(game)); }
  std::vector<LaunchRecord> Launches(GameId game) const {
    return testing::ReadLaunchLog(temp.Native(FolderOf(game)));
  }
  // A path of the temporary folder as the system shows it to a running program.
  std::string AsSeenByTheGame(const std::string& relative) const {
#ifdef _WIN32
    return temp.Path(relative);
#else
    std::string path = temp.Path(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
#endif
  }

  testing::FakeStatusLine status;
  platform::RunnerCommand runner;  // none, whatever the environment of the test says
  platform::ScopedService<platform::RunnerCommand> installedRunner{runner};
};

// Each game starts in its folder with its arguments, says "Game running..." and puts the
// launcher's current folder back; a game that ends at once with an exit code of its own
// (Balance of Power here) has been launched all the same.
TEST_F(LaunchGameTest, StartsEachGameWithItsArgumentsInItsFolder) {
  const Words expectedArguments[] = {{}, {"skipintro"}, {"skipintro"}, {}};
  const std::string before = platform::Files().CurrentFolder();
  for (GameId game : kAllGames) {
    SCOPED_TRACE(Game(game).name);
    InstallGame(game);
    if (game == GameId::BalanceOfPower) testing::SetStandInExitCode(temp.Native(FolderOf(game)), 3);
    testing::FakeStatusLine line;
    EXPECT_TRUE(LaunchGame(line, game));
    EXPECT_EQ(line.History(), (Words{"Game running..."}));
    EXPECT_EQ(platform::Files().CurrentFolder(), before);
    const std::vector<LaunchRecord> launches = Launches(game);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, AsSeenByTheGame(FolderOf(game) + "\\" + ExecutableName(game)));
    EXPECT_EQ(launches[0].folder, AsSeenByTheGame(FolderOf(game)));
    EXPECT_EQ(launches[0].arguments, expectedArguments[Index(game)]);
  }
}

TEST_F(LaunchGameTest, StartsNoOtherProgramOnTheWayToAFolderWithBlanks) {
  // Read word by word, the path of TIE95.EXE would first name these two programs.
  testing::InstallStandInGame(temp.Native("Program.exe"));
  testing::InstallStandInGame(temp.Native("Program Files\\TIE.exe"));
  InstallGame(GameId::TieFighter);

  EXPECT_TRUE(LaunchGame(status, GameId::TieFighter));
  EXPECT_EQ(Launches(GameId::TieFighter).size(), 1u);
  EXPECT_FALSE(temp.Exists("launch.log"));
  EXPECT_FALSE(temp.Exists("Program Files\\launch.log"));
}

TEST_F(LaunchGameTest, FindsTheExecutableWhateverTheLetterCaseOfItsName) {
  InstallGame(GameId::XwingAlliance, "XwingAlliance.exe");
  EXPECT_TRUE(LaunchGame(status, GameId::XwingAlliance));
  EXPECT_EQ(Launches(GameId::XwingAlliance).size(), 1u);
}

TEST_F(LaunchGameTest, FailsForAMissingGameAndStillPutsTheFolderBack) {
  const std::string before = platform::Files().CurrentFolder();
  EXPECT_FALSE(LaunchGame(status, GameId::TieFighter));
  EXPECT_EQ(status.text(), "Game running...");
  EXPECT_EQ(platform::Files().CurrentFolder(), before);
}

TEST_F(LaunchGameTest, FailsForAnExecutableThatIsNoProgram) {
  const std::string path = FolderOf(GameId::XwingVsTie) + "\\Z_XVT__.EXE";
  temp.WriteFile(path, std::string(4096, 'x'));
  std::filesystem::permissions(temp.Native(path), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(LaunchGame(status, GameId::XwingVsTie));
}

#ifdef _WIN32

TEST_F(LaunchGameTest, StartsGamesDirectlyWhateverTheRunner) {
  runner.text = "no-such-runner --flag";
  InstallGame(GameId::TieFighter);
  EXPECT_TRUE(LaunchGame(status, GameId::TieFighter));
  ASSERT_EQ(Launches(GameId::TieFighter).size(), 1u);
  EXPECT_EQ(Launches(GameId::TieFighter)[0].mark, "");
}

#else

TEST_F(LaunchGameTest, StartsTheGameThroughTheRunnerWhenOneIsSet) {
  runner.text = "env STAND_IN_MARK=through-the-runner";
  InstallGame(GameId::XwingVsTie);
  EXPECT_TRUE(LaunchGame(status, GameId::XwingVsTie));
  const std::vector<LaunchRecord> launches = Launches(GameId::XwingVsTie);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].mark, "through-the-runner");
  EXPECT_EQ(launches[0].arguments, (Words{"skipintro"}));
  EXPECT_EQ(launches[0].folder, AsSeenByTheGame(FolderOf(GameId::XwingVsTie)));
}

TEST_F(LaunchGameTest, TakesTheRunnerFromTheEnvironmentWhenNoneIsSet) {
  const platform::ScopedService<platform::RunnerCommand> defaultRunner(nullptr);
  ASSERT_EQ(setenv("VANTREL_RUNNER", "env STAND_IN_MARK=from-the-environment", 1), 0);
  InstallGame(GameId::TieFighter);
  const bool launched = LaunchGame(status, GameId::TieFighter);
  unsetenv("VANTREL_RUNNER");
  EXPECT_TRUE(launched);
  ASSERT_EQ(Launches(GameId::TieFighter).size(), 1u);
  EXPECT_EQ(Launches(GameId::TieFighter)[0].mark, "from-the-environment");
}

TEST_F(LaunchGameTest, FailsWhenTheRunnerCannotBeStarted) {
  runner.text = "no-such-runner-anywhere";
  InstallGame(GameId::XwingAlliance);
  EXPECT_FALSE(LaunchGame(status, GameId::XwingAlliance));
  EXPECT_TRUE(Launches(GameId::XwingAlliance).empty());
}

#endif

}  // namespace
}  // namespace vantrel
