// What every command refuses before it touches anything: words it does not take (exit 2,
// the problem and the usage line), and a folder it needs that is not set (exit 1, with
// the command that sets it).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/scoped_settings.h"

namespace vantrel {
namespace {

using testing::RunCommand;
using Command = int (*)(const cli::Options&, const std::vector<std::string>&);

TEST(CommandRefusals, WordsACommandDoesNotTakeAreUsageErrors) {
  const std::string kFolderNames = " (tie, xvt, bop, xwa, 0-3, launcher or last-dir)";
  const struct {
    Command command;
    std::vector<std::string> words;
    std::string problem;
  } kCases[] = {
      {cli::BattlesCommand, {"tie"}, "battles takes no arguments"},
      {cli::LoadCommand, {}, "load takes one PACKAGE"},
      {cli::LoadCommand, {"a.kzm", "b.kzm"}, "load takes one PACKAGE"},
      {cli::PlayCommand, {}, "play takes a GAME (tie, xvt, bop, xwa or 0 to 3)"},
      {cli::PlayCommand, {"xwing"}, "unknown game xwing (tie, xvt, bop, xwa or 0 to 3)"},
      {cli::PlayCommand,
       {"xvt", "--rebel-fighters"},
       "--rebel-fighters is not an option of X-Wing vs. TIE Fighter"},
      {cli::PlayCommand,
       {"xwa", "--transports"},
       "--transports is not an option of X-Wing Alliance"},
      {cli::PlayCommand,
       {"tie", "--briefing-audio"},
       "--briefing-audio is not an option of TIE Fighter 95"},
      {cli::PlayCommand,
       {"tie", "--rebel-fighters", "--transports"},
       "--rebel-fighters and --transports exclude each other"},
      {cli::RepairCommand, {"tie", "xvt"}, "repair takes at most one GAME"},
      {cli::RepairCommand, {"xwing"}, "unknown game xwing (tie, xvt, bop, xwa or 0 to 3)"},
      {cli::PilotsCommand,
       {"rename", "x"},
       "unknown pilots action rename (list, create, delete, select)"},
      {cli::FoldersCommand, {"set", "tie"}, "folders set takes NAME and PATH"},
      {cli::FoldersCommand, {"set", "4", "/x"}, "unknown folder 4" + kFolderNames},
      {cli::FoldersCommand, {"set", "xwing", "/x"}, "unknown folder xwing" + kFolderNames},
      {cli::FoldersCommand,
       {"list"},
       "folders takes no arguments, or set NAME PATH, or --where, or detect"},
  };
  const testing::ScopedSettings settings;
  for (const auto& c : kCases) {
    const auto run = RunCommand(c.command, c.words);
    EXPECT_EQ(run.status, 2) << c.problem;
    EXPECT_EQ(run.out, "") << c.problem;
    EXPECT_EQ(run.err,
              "vantrel: " + c.problem +
                  "\nusage: vantrel [--registry FILE] COMMAND [ARGS] (see vantrel --help)\n");
  }
  // Nothing was stored by a refused `folders set`.
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter), "");
}

// Without the folder it needs, a command writes nothing and looks for nothing: no box
// (the executable's path box of TIE Fighter 95) came up either.
TEST(CommandRefusals, AFolderThatIsNotSetIsNamedWithTheCommandThatSetsIt) {
  const struct {
    Command command;
    std::vector<std::string> words;
    std::string folder;  // as the message names it
    const char* name;    // as `folders set` takes it
  } kCases[] = {
      {cli::PlayCommand, {"tie"}, "the folder of TIE Fighter 95", "tie"},
      {cli::PilotsCommand, {"create", "Luke"}, "the folder of X-Wing Alliance", "xwa"},
      {cli::RepairCommand, {"bop"}, "the folder of Balance of Power", "bop"},
      {cli::LoadCommand, {"b.kzm"}, "the launcher folder", "launcher"},
  };
  const testing::ScopedSettings settings;
  const testing::FakeDesktop desktop;
  for (const auto& c : kCases) {
    const auto run = RunCommand(c.command, c.words);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.err, "vantrel: " + c.folder + " is not set (vantrel folders set " + c.name +
                           " PATH)\n");
  }
  EXPECT_TRUE(desktop.MessageTexts().empty());
}

}  // namespace
}  // namespace vantrel
