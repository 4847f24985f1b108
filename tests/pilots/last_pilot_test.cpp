#include "pilots/last_pilot.h"

#include <string>

#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

class LastPilotTest : public testing::PilotTest {
 protected:
  void Config(GameId game, std::string_view file, std::string_view text) {
    temp.WriteFile(In(game, file), text);
  }
};

TEST_F(LastPilotTest, XwingVsTieReadsConfigCfgAndNamesAPltFile) {
  Config(GameId::XwingVsTie, "config.cfg", "lastpilot Luke\r\nsound 1\r\n");
  Config(GameId::XwingVsTie, "config2.cfg", "lastpilot Wrong\r\n");
  EXPECT_EQ(FindLastPilot(GameId::XwingVsTie), "Luke0.plt");
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(LastPilotTest, BalanceOfPowerReadsConfig2CfgAndNamesAPl2File) {
  Config(GameId::BalanceOfPower, "config.cfg", "lastpilot Wrong\r\n");
  Config(GameId::BalanceOfPower, "config2.cfg", "lastpilot Wedge\r\nsound 1\r\n");
  EXPECT_EQ(FindLastPilot(GameId::BalanceOfPower), "Wedge0.pl2");
}

TEST_F(LastPilotTest, EachGameReadsItsOwnFolder) {
  Config(GameId::XwingVsTie, "config.cfg", "lastpilot Luke\r\n");
  Config(GameId::XwingAlliance, "config.cfg", "lastpilot Wedge\r\n");
  EXPECT_EQ(FindLastPilot(GameId::XwingVsTie), "Luke0.plt");
  EXPECT_EQ(FindLastXwaPilot(), "Wedge0.plt");
}

TEST_F(LastPilotTest, TheNameFileIsFoundInAnyLetterCase) {
  Config(GameId::XwingAlliance, "CONFIG.CFG", "lastpilot Wedge\r\n");
  EXPECT_EQ(FindLastXwaPilot(), "Wedge0.plt");
}

TEST_F(LastPilotTest, TheWordEndsAtABlankOrATab) {
  Config(GameId::XwingVsTie, "config.cfg", "lastpilot Luke Sky\r\n");
  EXPECT_EQ(FindLastPilot(GameId::XwingVsTie), "Luke0.plt");
  Config(GameId::XwingVsTie, "config.cfg", "lastpilot Han\tSolo\n");
  EXPECT_EQ(FindLastPilot(GameId::XwingVsTie), "Han0.plt");
}

TEST_F(LastPilotTest, AMissingConfigFileIsReportedAndGivesNoPilot) {
  EXPECT_EQ(FindLastPilot(GameId::BalanceOfPower), std::nullopt);
  EXPECT_EQ(FindLastXwaPilot(), std::nullopt);
  ASSERT_EQ(desktop.messages().size(), 2u);
  for (const testing::ShownMessage& shown : desktop.messages()) {
    EXPECT_EQ(shown.text, "How did you play the game without the config file?");
    EXPECT_EQ(shown.title, "VNTL");
    EXPECT_EQ(shown.owner, nullptr);
    EXPECT_EQ(shown.icon, ui::Icon::None);
    EXPECT_EQ(shown.buttons, ui::Buttons::Ok);
  }
}

TEST_F(LastPilotTest, ANameOf34CharactersFitsAndOneOf35GivesNoPilot) {
  const std::string fits(34, 'a');
  Config(GameId::XwingAlliance, "config.cfg", "lastpilot " + fits + "\r\n");
  EXPECT_EQ(FindLastXwaPilot(), fits + "0.plt");
  Config(GameId::XwingAlliance, "config.cfg", "lastpilot " + fits + "b\r\n");
  EXPECT_EQ(FindLastXwaPilot(), std::nullopt);
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(LastPilotTest, TieFighterNamesNoLastPilotEvenWithAConfigFile) {
  Config(GameId::TieFighter, "config.cfg", "lastpilot Luke\r\n");
  Config(GameId::XwingAlliance, "config.cfg", "lastpilot Luke\r\n");
  EXPECT_EQ(FindLastPilot(GameId::TieFighter), std::nullopt);
  EXPECT_EQ(FindLastPilot(GameId::XwingAlliance), "Luke0.plt");
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace vantrel
