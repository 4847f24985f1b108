// `vantrel folders` where paths are POSIX paths: what `set` stores and prints, the
// system's separator in what is shown, and the settings file `--where` names.
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "cli/options.h"
#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

using testing::RunCommand;
using testing::ScopedEnvironment;

TEST(FoldersCommand, SetPrintsWhatItStoredAndWarnsOfAMissingFolder) {
  testing::TempFolder temp;
  testing::ScopedSettings settings;
  temp.MakeFolder("games/XWA");
  temp.WriteFile("games/readme.txt", "");
  const std::string games = temp.Native("games").string();

  const auto existing = RunCommand(cli::FoldersCommand, {"set", "3", games + "/XWA/"});
  EXPECT_EQ(existing.status, 0);
  EXPECT_EQ(existing.out, "xwa\t" + games + "/XWA\n");
  EXPECT_EQ(existing.err, "");

  const auto missing = RunCommand(cli::FoldersCommand, {"set", "TIE", games + "/TIE95"});
  EXPECT_EQ(missing.status, 0);
  EXPECT_EQ(missing.out, "tie\t" + games + "/TIE95\n");
  EXPECT_EQ(missing.err,
            "vantrel: warning: " + games + "/TIE95 does not exist (stored all the same)\n");
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter), games + "/TIE95");

  const auto file = RunCommand(cli::FoldersCommand, {"set", "launcher", games + "/readme.txt"});
  EXPECT_EQ(file.status, 0);
  EXPECT_EQ(file.err, "vantrel: warning: " + games +
                          "/readme.txt is a file, not a folder (stored all the same)\n");
}

TEST(FoldersCommand, ARelativeFolderIsStoredFromTheCurrentFolder) {
  testing::TempFolder temp;
  testing::ScopedSettings settings;
  temp.MakeFolder("games/XvT");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(temp.Native("games"));
  const auto run = RunCommand(cli::FoldersCommand, {"set", "xvt", "./XvT/../XvT/"});
  std::filesystem::current_path(before);
  const std::string stored = std::filesystem::canonical(temp.Native("games/XvT")).string();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "xvt\t" + stored + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadGameFolder(GameId::XwingVsTie), stored);
}

TEST(FoldersCommand, FoldersAreShownWithTheSystemsSeparator) {
  testing::ScopedSettings settings;
  settings.SetLauncherFolder("/opt/vntl\\sub");
  settings.SetGameFolder(GameId::XwingVsTie, "/games\\XvT");
  const auto plain = RunCommand(cli::FoldersCommand, {});
  EXPECT_EQ(plain.out,
            "launcher\t/opt/vntl/sub\n"
            "last-dir\t\n"
            "tie\t\n"
            "xvt\t/games/XvT\n"
            "bop\t\n"
            "xwa\t\n");
  const auto json = RunCommand(cli::FoldersCommand, {}, testing::JsonOption());
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out,
            R"({"launcher":"/opt/vntl/sub","last-dir":null,"tie":null,"xvt":"/games/XvT",)"
            R"("bop":null,"xwa":null})" "\n");
}

TEST(FoldersCommand, WhereNamesTheSettingsFileAndWhyItIsThatOne) {
  testing::TempFolder temp;
  temp.WriteFile("given.reg", "");
  const std::string dir = temp.Native().string();
  cli::Options registry;
  registry.registryFile = dir + "/given.reg";
  const auto given = RunCommand(cli::FoldersCommand, {"--where"}, registry);
  EXPECT_EQ(given.status, 0);
  EXPECT_EQ(given.out, dir + "/given.reg\tfrom --registry\n");

  ScopedEnvironment xdg("XDG_CONFIG_HOME", std::nullopt);
  ScopedEnvironment home("HOME", dir);
  {
    ScopedEnvironment variable("VANTREL_REGISTRY", dir + "/given.reg");
    EXPECT_EQ(RunCommand(cli::FoldersCommand, {"--where"}).out,
              dir + "/given.reg\tfrom $VANTREL_REGISTRY\n");
  }
  ScopedEnvironment variable("VANTREL_REGISTRY", std::nullopt);
  EXPECT_EQ(RunCommand(cli::FoldersCommand, {"--where"}).out,
            dir + "/.config/vantrel/registry.reg\tthe default under $HOME, as $XDG_CONFIG_HOME is "
                  "not set; it does not exist yet (vantrel folders set creates it)\n");
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", dir + "/config");
    EXPECT_EQ(RunCommand(cli::FoldersCommand, {"--where"}).out,
              dir + "/config/vantrel/registry.reg\tfrom $XDG_CONFIG_HOME; it does not exist yet "
                    "(vantrel folders set creates it)\n");
  }
  ScopedEnvironment noHome("HOME", std::nullopt);
  const auto nowhere = RunCommand(cli::FoldersCommand, {"--where"});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.out, "");
  EXPECT_EQ(nowhere.err,
            "vantrel: there is no settings file: none of --registry, $VANTREL_REGISTRY, "
            "$XDG_CONFIG_HOME and $HOME is given\n");
}

}  // namespace
}  // namespace vantrel
