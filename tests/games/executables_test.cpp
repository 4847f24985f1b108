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

// TIE Fighter 95's path is shown in a box without owner or title, whether or not the
// test passes; nothing is shown for the other games or a game number above three.
TEST_F(IdentifyGameExeTest, ShowsTheTieFighterPathInABoxWithoutOwnerOrTitle) {
  const std::string path = temp.Path("TIE") + "\\TIE95.EXE";
  EXPECT_FALSE(IdentifyGameExe(GameId::TieFighter));
  WriteExecutable(GameId::TieFighter, 1000);
  EXPECT_FALSE(IdentifyGameExe(GameId::TieFighter));
  WriteRelease(GameId::TieFighter);
  EXPECT_TRUE(IdentifyGameExe(GameId::TieFighter));
  for (GameId game : {GameId::XwingVsTie, GameId::BalanceOfPower, GameId::XwingAlliance}) {
    WriteRelease(game);
    EXPECT_TRUE(IdentifyGameExe(game));
  }
  EXPECT_FALSE(IdentifyGameExe(static_cast<GameId>(4)));
  EXPECT_EQ(desktop.MessageTexts(), (std::vector<std::string>{path, path, path}));
  testing::ExpectLastMessage(desktop, 3, {nullptr, path, "", ui::Icon::None, ui::Buttons::Ok});
}

}  // namespace
}  // namespace vantrel
