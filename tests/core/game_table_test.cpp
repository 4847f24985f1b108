// The game table: one row of facts per game, and the names `vantrel` accepts for a game.
#include "core/game_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>

namespace vantrel {
namespace {

// One row per game, written out field by field and typed here from the games and the
// launcher's screens, so that a wrong entry in the table is caught.
std::string Describe(GameId game) {
  const GameInfo& g = Game(game);
  std::ostringstream out;
  out << g.name << '|' << g.menuShortName << '|' << g.registrySubKey << '|' << g.commandLineName
      << '|' << g.executable << '|' << std::hex << g.releaseSize << '|' << g.showsExecutablePath
      << '|' << g.launchArgument << '|' << g.missionFolder << '|' << g.configFile << '|'
      << g.pilotFiles << '|' << g.pilotFileSuffix << '|' << g.seal.a << ' ' << g.seal.b << ' '
      << g.seal.seal << ' ' << g.seal.nameByteInFile;
  return out.str();
}

TEST(GameTable, HoldsEveryFactOfEachGameInItsRow) {
  EXPECT_EQ(Describe(GameId::TieFighter),
            "TIE Fighter 95|TIE|TIE|tie|\\TIE95.EXE|105a00|1||\\MISSION\\||*.tfr||660 668 e73 0");
  EXPECT_EQ(Describe(GameId::XwingVsTie),
            "X-Wing vs. TIE Fighter|XvT|XVT|xvt|\\Z_XVT__.EXE|15b400|0|skipintro|\\TRAIN\\|"
            "\\config.cfg|*.plt|0.plt|127da 127ea 109d 1");
  EXPECT_EQ(Describe(GameId::BalanceOfPower),
            "Balance of Power|BoP|BOP|bop|\\Z_XVT__.EXE|157400|0|skipintro|\\TRAIN\\|"
            "\\config2.cfg|*.pl2|0.pl2|14176 14186 109d 1");
  EXPECT_EQ(Describe(GameId::XwingAlliance),
            "X-Wing Alliance|XWA|XWA|xwa|\\XWINGALLIANCE.EXE|20d600|0||\\MISSIONS\\|"
            "\\config.cfg|*.plt|0.plt|1148a 1149a 1b3b9 1");
}

TEST(GameTable, NamesWhereEachInstallerRecordsItsFolderAndTheRelease) {
  auto describe = [](GameId game) {
    return std::string(Game(game).installKey) + '|' + std::string(Game(game).releaseName);
  };
  EXPECT_EQ(describe(GameId::TieFighter),
            "Software\\LucasArts Entertainment Company LLC\\TIE95\\1.0|TIE Fighter 95");
  EXPECT_EQ(describe(GameId::XwingVsTie),
            "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0|"
            "X-Wing vs. TIE Fighter 1.14");
  EXPECT_EQ(describe(GameId::BalanceOfPower), "|Balance of Power 2.0");
  EXPECT_EQ(describe(GameId::XwingAlliance),
            "Software\\LucasArts Entertainment Company LLC\\X-Wing Alliance\\v1.0|"
            "X-Wing Alliance 2.02");
}

TEST(GameTable, EachGameStagesTheFilesItReadsItself) {
  auto describe = [](GameId game) {
    std::string text;
    for (const StagingStep& step : Game(game).stagingSteps) {
      text += std::string(step.pattern) +
              (step.kind == StagingStep::Kind::EveryMatch ? " every " : " first ") +
              std::string(step.destination) + ";";
    }
    return text;
  };
  EXPECT_EQ(describe(GameId::TieFighter), "*.lfd every \\RESOURCE\\;");
  EXPECT_EQ(describe(GameId::XwingVsTie), "*.lst first \\TRAIN\\;");
  EXPECT_EQ(describe(GameId::BalanceOfPower), "*.lst first \\TRAIN\\;");
  EXPECT_EQ(describe(GameId::XwingAlliance),
            "email.txt first \\MISSIONS\\;mission.lst first \\MISSIONS\\;*.plt first \\;");
}

TEST(GameTable, KeepsTheTextsExactlyAsTheyAreSpelt) {
  EXPECT_EQ(Game(GameId::BalanceOfPower).patchFailedMessage,
            "Error writing to Balance of Powerexecutable!");
  EXPECT_EQ(Game(GameId::XwingAlliance).wrongVersionMessage, "This is not X-wing Alliance 2.02!");
  EXPECT_EQ(Game(GameId::TieFighter).backupFailedMessage, "Error backing up TIE95 executable!");
  EXPECT_EQ(Game(GameId::XwingVsTie).wrongVersionMessage,
            "This is not X-wing vs TIE Fighter 1.14!");
}

TEST(GameTable, ABattleListByteAboveThreeNamesNoGame) {
  const std::pair<int, std::optional<GameId>> cases[] = {
      {0, GameId::TieFighter}, {3, GameId::XwingAlliance}, {4, std::nullopt}, {255, std::nullopt}};
  for (const auto& [byte, game] : cases) EXPECT_EQ(GameFromByte(byte), game) << byte;
}

// `vantrel` takes the sub-key in any letter case, or the number, and nothing else.
TEST(GameTable, ParsesTheSubKeyInAnyCaseOrTheNumber) {
  const std::pair<const char*, std::optional<GameId>> cases[] = {
      {"tie", GameId::TieFighter}, {"XVT", GameId::XwingVsTie}, {"bOp", GameId::BalanceOfPower},
      {"3", GameId::XwingAlliance}, {"0", GameId::TieFighter},  {"", std::nullopt},
      {"4", std::nullopt},          {"03", std::nullopt},       {"TIE95", std::nullopt},
      {"X-Wing Alliance", std::nullopt},
  };
  for (const auto& [name, game] : cases) EXPECT_EQ(ParseGameName(name), game) << '"' << name << '"';
}

}  // namespace
}  // namespace vantrel
