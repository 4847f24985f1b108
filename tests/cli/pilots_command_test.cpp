// `vantrel pilots`: the X-Wing Alliance roster listed, created, chosen and deleted.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using testing::RunCommand;

class PilotsCommandTest : public testing::GameWorldTest {
 protected:
  testing::FakeDesktop desktop;
};

TEST_F(PilotsCommandTest, CreateListSelectAndDelete) {
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"create", "Luke"}).status, 0);
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"create", "Lukas", "--kz"}).status, 0);
  EXPECT_EQ(temp.ReadFile("XWA/Luke0.plt")->size(), 152'076u);
  temp.WriteFile("XWA/CONFIG.CFG", "lastpilot Luke\r\nmusic 1\r\n");
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {}).out, "  Lukas\n* Luke\n");

  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"select", "lukas"}).status, 0);
  EXPECT_EQ(temp.ReadFile("XWA/CONFIG.CFG"), "lastpilot Lukas\r\nmusic 1\r\n");
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"list"}).out, "* Lukas\n  Luke\n");

  // Deleting asks first: No keeps the pilot.
  const auto kept = RunCommand(cli::PilotsCommand, {"delete", "Luke"});
  EXPECT_EQ(kept.status, 1);
  EXPECT_EQ(kept.err, "vantrel: nothing deleted\n");
  EXPECT_TRUE(temp.Exists("XWA/Luke0.plt"));
  desktop.QueueAnswer(ui::Answer::Yes);
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"delete", "Luke"}).status, 0);
  EXPECT_EQ(desktop.MessageTexts().back(), "Sure you want to delete pilot Luke?");
  EXPECT_FALSE(temp.Exists("XWA/Luke0.plt"));
}

TEST_F(PilotsCommandTest, JsonListsThePilotsInTheOrderOfThePlainList) {
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {}, testing::JsonOption()).out, "{\"pilots\":[]}\n");
  ASSERT_EQ(RunCommand(cli::PilotsCommand, {"create", "Wedge"}).status, 0);
  ASSERT_EQ(RunCommand(cli::PilotsCommand, {"create", "Biggs"}).status, 0);
  temp.WriteFile("XWA/CONFIG.CFG", "lastpilot Wedge\r\n");
  const auto run = RunCommand(cli::PilotsCommand, {"list"}, testing::JsonOption());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            R"({"pilots":[{"name":"Biggs","selected":false},{"name":"Wedge","selected":true}]})"
            "\n");
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"select", "Biggs"}, testing::JsonOption()).status, 2);
  EXPECT_EQ(temp.ReadFile("XWA/CONFIG.CFG"), "lastpilot Wedge\r\n");
}

TEST_F(PilotsCommandTest, RefusalsAreReported) {
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"create", "TwelveLetter"}).status, 1);
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"create", "a/b"}).status, 1);
  EXPECT_EQ(desktop.MessageTexts(), (std::vector<std::string>{"Error creating new pilot"}));
  EXPECT_EQ(RunCommand(cli::PilotsCommand, {"select", "Nobody"}).err,
            "vantrel: no X-Wing Alliance pilot is named Nobody\n");
  EXPECT_TRUE(temp.List("XWA").empty());
}

}  // namespace
}  // namespace vantrel
