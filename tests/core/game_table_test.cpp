// The game table: one row of facts per game, and the names `vantrel` accepts for a game.
#include "core/game_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vantrel {
namespace {

// One row per game, typed here from the games and the launcher's screens, so that a
// wrong entry in the table is caught.
TEST(GameTable, HoldsEveryFactOfEachGameInItsRow) {
  struct Row {
    GameId game;
    const char* name;
    const char* menuShortName;
    const char* key;
    const char* shortName;
    const char* executable;
    std::uint64_t releaseSize;
    const char* launchArgument;
    const char* missionFolder;
    const char* configFile;
    const char* pilotFiles;
    const char* pilotFileSuffix;
    SealPlaces seal;
  };
  const Row rows[] = {
      {GameId::TieFighter, "TIE Fighter 95", "TIE", "TIE", "tie", "\\TIE95.EXE", 0x105A00, "",
       "\\MISSION\\", "", "*.tfr", "", {0x0660, 0x0668, 0x0E73, false}},
      {GameId::XwingVsTie, "X-Wing vs. TIE Fighter", "XvT", "XVT", "xvt", "\\Z_XVT__.EXE",
       0x15B400, "skipintro", "\\TRAIN\\", "\\config.cfg", "*.plt", "0.plt",
       {0x127DA, 0x127EA, 0x109D, true}},
      {GameId::BalanceOfPower, "Balance of Power", "BoP", "BOP", "bop", "\\Z_XVT__.EXE",
       0x157400, "skipintro", "\\TRAIN\\", "\\config2.cfg", "*.pl2", "0.pl2",
       {0x14176, 0x14186, 0x109D, true}},
      {GameId::XwingAlliance, "X-Wing Alliance", "XWA", "XWA", "xwa", "\\XWINGALLIANCE.EXE",
       0x20D600, "", "\\MISSIONS\\", "\\config.cfg", "*.plt", "0.plt",
       {0x1148A, 0x1149A, 0x1B3B9, true}},
  };
  for (const Row& row : rows) {
    const GameInfo& info = Game(row.game);
    SCOPED_TRACE(row.name);
    EXPECT_EQ(info.name, row.name);
    EXPECT_EQ(info.menuShortName, row.menuShortName);
    EXPECT_EQ(info.registrySubKey, row.key);
    EXPECT_EQ(info.commandLineName, row.shortName);
    EXPECT_EQ(info.executable, row.executable);
    EXPECT_EQ(info.releaseSize, row.releaseSize);
    EXPECT_EQ(info.showsExecutablePath, row.game == GameId::TieFighter);
    EXPECT_EQ(info.launchArgument, row.launchArgument);
    EXPECT_EQ(info.missionFolder, row.missionFolder);
    EXPECT_EQ(info.configFile, row.configFile);
    EXPECT_EQ(info.pilotFiles, row.pilotFiles);
    EXPECT_EQ(info.pilotFileSuffix, row.pilotFileSuffix);
    EXPECT_EQ(info.seal.a, row.seal.a);
    EXPECT_EQ(info.seal.b, row.seal.b);
    EXPECT_EQ(info.seal.seal, row.seal.seal);
    EXPECT_EQ(info.seal.nameByteInFile, row.seal.nameByteInFile);
  }
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
  EXPECT_EQ(Game(GameId::XwingVsTie).wrongVersionMessage, "This is not X-wing vs TIE Fighter 1.14!");
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

}  // namespace
}  // namespace vantrel
