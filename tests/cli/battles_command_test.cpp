// `vantrel battles`: one line per game with the installed battle's name.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

using testing::RunCommand;

using BattlesCommandTest = testing::GameWorldTest;

TEST_F(BattlesCommandTest, PrintsEachGamesBattleInGameOrder) {
  temp.WriteFile("XVT/KZMISS/Battle.kzb", testing::BattleListBytes(1, 0, "Vs Campaign", {"a.tie"}));
  temp.WriteFile("XWA/KZMISS/BATTLE.KZB",
                 testing::BattleListBytes(3, 0, "Operation \xC9toile", {"b.tie"}));
  const auto run = RunCommand(cli::BattlesCommand, {});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, testing::PerGame("No battle installed", "Vs Campaign", "No battle installed",
                                      "Operation \xC3\x89toile"));
  EXPECT_EQ(run.err, "");
}

TEST_F(BattlesCommandTest, JsonNamesEachGameAndHasNullWhereNoBattleIsInstalled) {
  temp.WriteFile("XWA/KZMISS/BATTLE.KZB",
                 testing::BattleListBytes(3, 0, "\"Rogue\"\tRun \xC9", {"b.tie"}));
  const auto run = RunCommand(cli::BattlesCommand, {}, testing::JsonOption());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.out,
      "{\"tie\":{\"game\":\"TIE Fighter 95\",\"battle\":null},"
      "\"xvt\":{\"game\":\"X-Wing vs. TIE Fighter\",\"battle\":null},"
      "\"bop\":{\"game\":\"Balance of Power\",\"battle\":null},"
      "\"xwa\":{\"game\":\"X-Wing Alliance\",\"battle\":\"\\\"Rogue\\\"\\tRun \xC3\x89\"}}\n");
  EXPECT_EQ(run.err, "");
}

// A battle list's name may hold anything; printed raw, a line break or an escape code in
// it would forge a line or drive the terminal.
TEST_F(BattlesCommandTest, PrintsControlCharactersOfANameEscaped) {
  const struct {
    const char* name;     // as the battle list holds it (Windows-1252)
    const char* printed;  // as `battles` prints it (UTF-8)
    const char* json;     // as `battles --json` writes it
  } kCases[] = {
      {"Red\x1b[2J", "Red\\x1b[2J", "Red\\u001b[2J"},
      {"A\rB", "A\\rB", "A\\rB"},
      {"A\nxwa\tForged", "A\\nxwa\\tForged", "A\\nxwa\\tForged"},
      {"Del\x7f", "Del\\x7f", "Del\\u007f"},
      {"C:\\Old", "C:\\\\Old", "C:\\\\Old"},
      {"Op\xe9ration \xd1", "Op\xc3\xa9ration \xc3\x91", "Op\xc3\xa9ration \xc3\x91"},
  };
  for (const auto& c : kCases) {
    temp.WriteFile("TIE/KZMISS/Battle.kzb", testing::BattleListBytes(0, 0, c.name, {"a.tie"}));
    const auto text = RunCommand(cli::BattlesCommand, {});
    EXPECT_EQ(text.out.substr(0, text.out.find("\nxvt\t")), std::string("tie\t") + c.printed)
        << c.name;
    const auto json = RunCommand(cli::BattlesCommand, {}, testing::JsonOption());
    EXPECT_NE(json.out.find(std::string("\"battle\":\"") + c.json + "\"}"), std::string::npos)
        << json.out;
  }
}

}  // namespace
}  // namespace vantrel
