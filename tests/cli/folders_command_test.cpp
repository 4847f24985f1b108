#include <string>

#include <gtest/gtest.h>

#include "cli/options.h"
#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/support/scoped_settings.h"

namespace vantrel {
namespace {

using testing::RunCommand;

TEST(FoldersCommand, PrintsEveryFolderWithEmptyOnesEmpty) {
  testing::ScopedSettings settings;
  // Folders in the system's own form, which is also the form they are shown in.
#ifdef _WIN32
  const std::string launcher = "C:\\vntl";
  const std::string bop = "D:\\games\\XvT\\BalanceOfPower";
#else
  const std::string launcher = "/opt/vntl";
  const std::string bop = "/games/XvT/BalanceOfPower";
#endif
  settings.SetLauncherFolder(launcher);
  settings.SetGameFolder(GameId::BalanceOfPower, bop);
  const auto run = RunCommand(cli::FoldersCommand, {});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "launcher\t" + launcher + "\n"
            "last-dir\t\n"
            "tie\t\n"
            "xvt\t\n"
            "bop\t" + bop + "\n"
            "xwa\t\n");
}

TEST(FoldersCommand, SetCreatesTheKeyAndAcceptsEveryGameName) {
  testing::ScopedSettings settings;
  EXPECT_EQ(RunCommand(cli::FoldersCommand, {"set", "XWA", "/games/xwa/"}).status, 0);
  EXPECT_EQ(RunCommand(cli::FoldersCommand, {"set", "1", "/games/xvt"}).status, 0);
  EXPECT_EQ(RunCommand(cli::FoldersCommand, {"set", "launcher", "/opt/vntl"}).status, 0);
  EXPECT_EQ(RunCommand(cli::FoldersCommand, {"set", "last-dir", "/"}).status, 0);
  EXPECT_EQ(ReadGameFolder(GameId::XwingAlliance), "/games/xwa");
  EXPECT_EQ(ReadGameFolder(GameId::XwingVsTie), "/games/xvt");
  EXPECT_EQ(ReadLauncherFolder(), "/opt/vntl");
  EXPECT_EQ(ReadLastDir(), "/");
}

TEST(FoldersCommand, JsonGoesWithTheListAlone) {
  testing::ScopedSettings settings;
  const auto json = RunCommand(cli::FoldersCommand, {"set", "tie", "/x"}, testing::JsonOption());
  EXPECT_EQ(json.status, 2);
  EXPECT_EQ(json.err.rfind("vantrel: --json goes with folders alone\n", 0), 0u);
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter), "");
}

TEST(FoldersCommand, AFolderTooLongToReadBackIsRefused) {
  testing::ScopedSettings settings;
  const auto run = RunCommand(cli::FoldersCommand, {"set", "tie", "/" + std::string(259, 'x')});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("vantrel: the folder is longer than 259 characters: ", 0), 0u);
  EXPECT_FALSE(settings.store().ReadString(GameKey(GameId::TieFighter), kInstallPathValue));
}

TEST(Options, GlobalOptionsComeBeforeTheCommand) {
  const auto options = cli::ParseOptions({"--registry", "r.reg", "--yes", "load", "--yes"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->registryFile, "r.reg");
  EXPECT_TRUE(options->assumeYes);
  EXPECT_EQ(options->words, (std::vector<std::string>{"load", "--yes"}));
}

TEST(Options, JsonAndHelpMayFollowTheCommandAndVersionPrecedesIt) {
  const auto options = cli::ParseOptions({"-V", "pilots", "list", "--json", "-h"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->version);
  EXPECT_TRUE(options->json);
  EXPECT_TRUE(options->help);
  EXPECT_EQ(options->words, (std::vector<std::string>{"pilots", "list"}));
  const auto plain = cli::ParseOptions({"play", "tie", "--transports"});
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->version || plain->json || plain->help);
  EXPECT_EQ(plain->words, (std::vector<std::string>{"play", "tie", "--transports"}));
}

TEST(HelpCommand, PrintsTheUsageOrOneCommandsHelp) {
  EXPECT_EQ(RunCommand(cli::HelpCommand, {}).out, cli::UsageText());
  const auto battles = RunCommand(cli::HelpCommand, {"battles"});
  EXPECT_EQ(battles.status, 0);
  EXPECT_EQ(battles.out,
            "usage: vantrel battles [--json]\n"
            "\n"
            "Prints the battle installed for each game, one per line: NAME<TAB>BATTLE, with\n"
            "\"No battle installed\" where there is none. --json prints one JSON object.\n");
  for (const char* command :
       {"folders", "load", "play", "repair", "pilots", "pack", "inspect", "help"}) {
    const auto run = RunCommand(cli::HelpCommand, {command});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(std::string("usage: vantrel ") + command, 0), 0u) << run.out;
  }
  const auto unknown = RunCommand(cli::HelpCommand, {"fly"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err.rfind("vantrel: no command is named fly (folders, load, battles, play, "
                              "repair, pilots, pack, inspect, help)\n", 0), 0u);
}

TEST(Options, UnknownOptionsAreRefused) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(cli::ParseOptions({"--frobnicate", "folders"}));
  EXPECT_FALSE(cli::ParseOptions({"--registry"}));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("vantrel: unknown option --frobnicate\nusage: vantrel"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
