#include "pilots/last_pilot.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/pilots/pilot_fixture.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using LastPilotTest = testing::PilotTest;

// Each game reads its own configuration file, in its own folder; the name is the word
// after "lastpilot ", at most 34 characters, followed by the game's pilot file suffix.
TEST_F(LastPilotTest, TheLastPilotIsNamedInTheGamesConfigurationFile) {
  using Files = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    GameId game;
    Files files;
    std::optional<std::string> pilot;
  };
  const std::string fits(34, 'a');
  const Case cases[] = {
      {GameId::XwingVsTie,
       {{"config.cfg", "lastpilot Luke\r\nsound 1\r\n"}, {"config2.cfg", "lastpilot Wrong\r\n"}},
       "Luke0.plt"},
      {GameId::BalanceOfPower,
       {{"config.cfg", "lastpilot Wrong\r\n"}, {"config2.cfg", "lastpilot Wedge\r\nsound 1\r\n"}},
       "Wedge0.pl2"},
      {GameId::XwingAlliance, {{"CONFIG.CFG", "lastpilot Wedge\r\n"}}, "Wedge0.plt"},
      {GameId::XwingVsTie, {{"config.cfg", "lastpilot Luke Sky\r\n"}}, "Luke0.plt"},
      {GameId::XwingVsTie, {{"config.cfg", "lastpilot Han\tSolo\n"}}, "Han0.plt"},
      {GameId::XwingAlliance, {{"config.cfg", "lastpilot " + fits + "\r\n"}}, fits + "0.plt"},
      {GameId::XwingAlliance, {{"config.cfg", "lastpilot " + fits + "b\r\n"}}, std::nullopt},
      // TIE Fighter 95 names no last pilot, even with a configuration file.
      {GameId::TieFighter, {{"config.cfg", "lastpilot Luke\r\n"}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.back().second);
    std::filesystem::remove_all(temp.Native(FolderOf(c.game)));
    for (const auto& [file, text] : c.files) temp.WriteFile(In(c.game, file), text);
    EXPECT_EQ(FindLastPilot(c.game), c.pilot);
    if (c.game == GameId::XwingAlliance) {
      EXPECT_EQ(FindLastXwaPilot(), c.pilot);
    }
  }
  // The other games' folders are not read: X-Wing Alliance's still names its own pilot.
  temp.WriteFile(In(GameId::XwingAlliance, "config.cfg"), "lastpilot Wedge\r\n");
  EXPECT_EQ(FindLastPilot(GameId::XwingVsTie), "Han0.plt");
  EXPECT_EQ(FindLastXwaPilot(), "Wedge0.plt");
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(LastPilotTest, AMissingConfigFileIsReportedAndGivesNoPilot) {
  EXPECT_EQ(FindLastPilot(GameId::BalanceOfPower), std::nullopt);
  EXPECT_EQ(FindLastXwaPilot(), std::nullopt);
  const std::string text = "How did you play the game without the config file?";
  EXPECT_EQ(desktop.MessageTexts(), (std::vector<std::string>{text, text}));
  testing::ExpectLastMessage(desktop, 2, {nullptr, text, "VNTL", ui::Icon::None, ui::Buttons::Ok});
}

}  // namespace
}  // namespace vantrel
