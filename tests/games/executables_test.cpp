#include "games/executables.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "tests/fakes/fake_ui.h"
#include "tests/games/game_folders.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

class IdentifyGameExeTest : public testing::GameFoldersTest {
 protected:
  testing::FakeDesktop desktop;
};

TEST_F(IdentifyGameExeTest, AcceptsEachReleaseOfExactlyItsSizeOnly) {
  for (GameId game : kAllGames) {
    SCOPED_TRACE(Game(game).name);
    const std::size_t size = testing::kReleaseSizes[Index(game)];
    for (const auto& [bytes, identified] :
         {std::pair{size - 1, false}, {size + 1, false}, {size, true}}) {
      WriteExecutable(game, bytes);
      EXPECT_EQ(IdentifyGameExe(game), identified) << bytes << " bytes";
    }
  }
}

TEST_F(IdentifyGameExeTest, JudgesBySizeWhateverTheBytes) {
  temp.WriteFile(ExecutableOf(GameId::XwingAlliance),
                 std::string(testing::kReleaseSizes[Index(GameId::XwingAlliance)], '\0'));
  EXPECT_TRUE(IdentifyGameExe(GameId::XwingAlliance));
}

TEST_F(IdentifyGameExeTest, TellsXwingVsTieAndBalanceOfPowerApartBySize) {
  // Each folder holds the other game's executable, under the name both games use.
  WriteExecutable(GameId::XwingVsTie, testing::kReleaseSizes[Index(GameId::BalanceOfPower)]);
  WriteExecutable(GameId::BalanceOfPower, testing::kReleaseSizes[Index(GameId::XwingVsTie)]);
  EXPECT_FALSE(IdentifyGameExe(GameId::XwingVsTie));
  EXPECT_FALSE(IdentifyGameExe(GameId::BalanceOfPower));

  WriteRelease(GameId::XwingVsTie);
  WriteRelease(GameId::BalanceOfPower);
  EXPECT_TRUE(IdentifyGameExe(GameId::XwingVsTie));
  EXPECT_TRUE(IdentifyGameExe(GameId::BalanceOfPower));
}

TEST_F(IdentifyGameExeTest, RejectsAMissingExecutable) {
  EXPECT_FALSE(IdentifyGameExe(GameId::XwingVsTie));
  // Another file of the release's size in the folder is not the executable.
  temp.WriteFile(In(GameId::XwingVsTie, "Z_XVT__.BAK"),
                 std::string(testing::kReleaseSizes[Index(GameId::XwingVsTie)], 'x'));
  EXPECT_FALSE(IdentifyGameExe(GameId::XwingVsTie));
}

TEST_F(IdentifyGameExeTest, FindsTheExecutableWhateverTheLetterCaseOfItsName) {
  temp.WriteFile(In(GameId::XwingAlliance, "XwingAlliance.exe"),
                 testing::PatternBytes(testing::kReleaseSizes[Index(GameId::XwingAlliance)]));
  EXPECT_TRUE(IdentifyGameExe(GameId::XwingAlliance));
}

TEST_F(IdentifyGameExeTest, ShowsTheTieFighterPathInABoxWithoutOwnerOrTitle) {
  WriteRelease(GameId::TieFighter);
  EXPECT_TRUE(IdentifyGameExe(GameId::TieFighter));
  testing::ExpectOnlyMessage(
      desktop, {nullptr, temp.Path("TIE") + "\\TIE95.EXE", "", ui::Icon::None, ui::Buttons::Ok});
}

TEST_F(IdentifyGameExeTest, ShowsTheTieFighterPathEvenWhenTheTestFails) {
  EXPECT_FALSE(IdentifyGameExe(GameId::TieFighter));
  WriteExecutable(GameId::TieFighter, 1000);
  EXPECT_FALSE(IdentifyGameExe(GameId::TieFighter));
  const std::string path = temp.Path("TIE") + "\\TIE95.EXE";
  EXPECT_EQ(desktop.MessageTexts(), (std::vector<std::string>{path, path}));
}

TEST_F(IdentifyGameExeTest, ShowsNothingForTheOtherGames) {
  for (GameId game : {GameId::XwingVsTie, GameId::BalanceOfPower, GameId::XwingAlliance}) {
    WriteRelease(game);
    EXPECT_TRUE(IdentifyGameExe(game));
  }
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(IdentifyGameExeTest, RejectsAGameNumberAboveThree) {
  EXPECT_FALSE(IdentifyGameExe(static_cast<GameId>(4)));
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace vantrel
