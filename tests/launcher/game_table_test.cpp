// The game table holds the launcher's own texts and ids, typed here from the table the
// players' screens show; and the names `vantrel` accepts for a game.
#include "launcher/game_table.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(GameTable, NamesTheGamesKeysAndExecutables) {
  EXPECT_EQ(Game(GameId::TieFighter).name, "TIE Fighter 95");
  EXPECT_EQ(Game(GameId::XwingVsTie).menuShortName, "XvT");
  EXPECT_EQ(Game(GameId::BalanceOfPower).registrySubKey, "BOP");
  EXPECT_EQ(Game(GameId::XwingAlliance).registrySubKey, "XWA");
  EXPECT_EQ(Game(GameId::TieFighter).presenceExecutable, "\\TIE95.exe");
  EXPECT_EQ(Game(GameId::XwingAlliance).presenceExecutable, "\\Xwingalliance.exe");
}

TEST(GameTable, XwingVsTieAndBalanceOfPowerTestTheSameExecutableName) {
  EXPECT_EQ(Game(GameId::XwingVsTie).presenceExecutable, "\\Z_xvt__.exe");
  EXPECT_EQ(Game(GameId::BalanceOfPower).presenceExecutable, "\\Z_xvt__.exe");
  EXPECT_NE(Game(GameId::XwingVsTie).registrySubKey, Game(GameId::BalanceOfPower).registrySubKey);
}

TEST(GameTable, KeepsTheTextsExactlyAsTheyAreSpelt) {
  EXPECT_EQ(Game(GameId::TieFighter).tooltip, "Press to start TIE Figher '95");
  EXPECT_EQ(Game(GameId::BalanceOfPower).patchFailedMessage,
            "Error writing to Balance of Powerexecutable!");
  EXPECT_EQ(Game(GameId::XwingVsTie).directoriesCaption, "Your X-wing vs TIE Fighter Directory:");
  EXPECT_EQ(Game(GameId::XwingAlliance).wrongVersionMessage, "This is not X-wing Alliance 2.02!");
  EXPECT_EQ(Game(GameId::TieFighter).backupFailedMessage, "Error backing up TIE95 executable!");
}

TEST(GameTable, GivesEachGameItsControlsAndBitmap) {
  EXPECT_EQ(Game(GameId::TieFighter).button, 1052);
  EXPECT_EQ(Game(GameId::XwingVsTie).buttonBitmap, 120);
  EXPECT_EQ(Game(GameId::BalanceOfPower).installedBattleLabel, 1064);
  EXPECT_EQ(Game(GameId::XwingAlliance).installedBattleLabel, 1063);
  EXPECT_EQ(Game(GameId::XwingAlliance).tooltipId, 7);
  EXPECT_EQ(Game(GameId::BalanceOfPower).directoriesField, 1048);
  EXPECT_EQ(Game(GameId::XwingVsTie).directoriesBrowse, 1037);
}

TEST(GameTable, ABattleListByteAboveThreeNamesNoGame) {
  EXPECT_EQ(GameFromByte(0), GameId::TieFighter);
  EXPECT_EQ(GameFromByte(3), GameId::XwingAlliance);
  EXPECT_EQ(GameFromByte(4), std::nullopt);
  EXPECT_EQ(GameFromByte(255), std::nullopt);
}

TEST(GameTable, ParsesTheSubKeyInAnyCaseOrTheNumber) {
  EXPECT_EQ(ParseGameName("tie"), GameId::TieFighter);
  EXPECT_EQ(ParseGameName("XVT"), GameId::XwingVsTie);
  EXPECT_EQ(ParseGameName("bOp"), GameId::BalanceOfPower);
  EXPECT_EQ(ParseGameName("3"), GameId::XwingAlliance);
  EXPECT_EQ(ParseGameName("0"), GameId::TieFighter);
}

TEST(GameTable, RefusesOtherGameNames) {
  EXPECT_EQ(ParseGameName(""), std::nullopt);
  EXPECT_EQ(ParseGameName("4"), std::nullopt);
  EXPECT_EQ(ParseGameName("03"), std::nullopt);
  EXPECT_EQ(ParseGameName("TIE95"), std::nullopt);
  EXPECT_EQ(ParseGameName("X-Wing Alliance"), std::nullopt);
}

TEST(GameTable, PrintsLowerCaseShortNames) {
  EXPECT_EQ(CommandLineName(GameId::TieFighter), "tie");
  EXPECT_EQ(CommandLineName(GameId::XwingVsTie), "xvt");
  EXPECT_EQ(CommandLineName(GameId::BalanceOfPower), "bop");
  EXPECT_EQ(CommandLineName(GameId::XwingAlliance), "xwa");
}

}  // namespace
}  // namespace vantrel
