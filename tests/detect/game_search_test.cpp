#include "detect/game_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "detect/steam_libraries.h"
#include "detect/wine_registry.h"
#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"
#ifndef _WIN32
#include "tests/support/scoped_environment.h"
#endif

namespace vantrel {
namespace {

using testing::TempFolder;

TEST(WineRegistry, ReadsTheStringValuesOfEachKey) {
  const std::vector<WineRegistryValue> values = ParseWineRegistry(
      "WINE REGISTRY Version 2\r\n"
      ";; All keys relative to \\\\Machine\r\n"
      "\r\n"
      "#arch=win64\r\n"
      "\r\n"
      "[Software\\\\LucasArts Entertainment Company LLC\\\\TIE95\\\\1.0] 1700000000\r\n"
      "#time=1da0b2f3c4d5e6f\r\n"
      "\"Install Path\"=\"C:\\\\Games\\\\TIE \\\"95\\\"\"\r\n"
      "@=\"default\"\r\n"
      "\"Version\"=dword:00000001\r\n"
      "\r\n"
      "[Software\\\\Wow6432Node\\\\X] 1700000000\r\n"
      "\"Install Path\"=str(2):\"D:\\\\Caf\\xe9\\\\\\x263a\"\r\n");
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].key, "Software\\LucasArts Entertainment Company LLC\\TIE95\\1.0");
  EXPECT_EQ(values[0].name, "Install Path");
  EXPECT_EQ(values[0].text, "C:\\Games\\TIE \"95\"");
  EXPECT_EQ(values[1].name, "");
  EXPECT_EQ(values[1].text, "default");
  EXPECT_EQ(values[2].key, "Software\\Wow6432Node\\X");
  EXPECT_EQ(values[2].text, "D:\\Caf\xC3\xA9\\\xE2\x98\xBA");
  EXPECT_EQ(
      FindWineRegistryString(values, "software\\lucasarts entertainment company llc\\tie95\\1.0",
                             "INSTALL PATH"),
      "C:\\Games\\TIE \"95\"");
  EXPECT_EQ(FindWineRegistryString(values, "Software\\X", "Install Path"), std::nullopt);
}

TEST(SteamLibraries, ReadsTheFoldersOfBothForms) {
  EXPECT_EQ(
      ParseSteamLibraryFolders(
          "\"libraryfolders\"\n{\n"
          "\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n"
          "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"361670\"\t\t\"1234\"\n\t\t}\n\t}\n"
          "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"D:\\\\Steam Library\"\n\t}\n}\n"),
      (std::vector<std::string>{"/home/p/.local/share/Steam", "D:\\Steam Library"}));
  EXPECT_EQ(ParseSteamLibraryFolders(
                "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n"
                "\t\"ContentStatsID\"\t\t\"-1\"\n\t\"1\"\t\t\"E:\\\\Games\\\\Steam\"\n}\n"),
            (std::vector<std::string>{"E:\\Games\\Steam"}));
}

TEST(SteamLibraries, ReadsAGamesManifest) {
  const std::optional<SteamAppManifest> manifest = ParseSteamAppManifest(
      "\"AppState\"\n{\n\t\"appid\"\t\t\"355250\"\n\t\"name\"\t\t\"STAR WARS: TIE Fighter\"\n"
      "\t\"installdir\"\t\t\"STAR WARS Tie Fighter\"\n\t\"UserConfig\"\n\t{\n\t\t\"language\"\t\t"
      "\"english\"\n\t}\n}\n");
  ASSERT_TRUE(manifest);
  EXPECT_EQ(manifest->appId, "355250");
  EXPECT_EQ(manifest->installDir, "STAR WARS Tie Fighter");
  EXPECT_EQ(ParseSteamAppManifest("\"AppState\"\n{\n\t\"appid\"\t\t\"1\"\n}\n"), std::nullopt);
}

// A machine of fakes: a Wine prefix whose registry names TIE Fighter 95 and X-Wing vs.
// TIE Fighter (with Balance of Power inside), a Steam library with X-Wing Alliance of
// another release, and a usual folder with a TIE Fighter too small to be the release.
class GameSearchTest : public ::testing::Test {
 protected:
  GameSearchTest() {
    temp.WriteFile("prefix/system.reg",
                   "WINE REGISTRY Version 2\n\n"
                   "[Software\\\\LucasArts Entertainment Company LLC\\\\TIE95\\\\1.0] 1\n"
                   "\"Install Path\"=\"C:\\\\Program Files\\\\LucasArts\\\\TIE95\"\n\n"
                   "[Software\\\\Wow6432Node\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE "
                   "Fighter\\\\1.0] 1\n"
                   "\"Install Path\"=\"c:\\\\xvt\"\n");
    Executable("prefix/drive_c/program files/LUCASARTS/tie95/TIE95.EXE", 1'071'616);
    Executable("prefix/drive_c/XvT/Z_XVT__.EXE", 1'422'336);
    Executable("prefix/drive_c/XvT/BalanceOfPower/z_xvt__.exe", 1'405'952);
    temp.WriteFile("steam/steamapps/libraryfolders.vdf",
                   "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                       Escaped(Path("library")) + "\"\n\t}\n}\n");
    Executable("library/steamapps/common/STAR WARS X-Wing Alliance/XWINGALLIANCE.EXE", 1000);
    // Steam's manifest of the game, and the Proton prefix it runs in.
    temp.WriteFile("library/steamapps/appmanifest_361670.acf",
                   "\"AppState\"\n{\n\t\"appid\"\t\t\"361670\"\n"
                   "\t\"installdir\"\t\t\"STAR WARS X-Wing Alliance\"\n}\n");
    temp.MakeFolder("library/steamapps/compatdata/361670/pfx");
    Executable("games/TIE Fighter/TIE95.EXE", 5);
  }

  static std::string Escaped(const std::string& path) {
    std::string escaped;
    for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
  }

  void Executable(const std::string& relative, std::uintmax_t size) {
    temp.WriteFile(relative, "");
    std::filesystem::resize_file(temp.Native(relative), size);
  }

  std::string Path(std::string_view relative) const { return temp.SystemPath(relative); }

  TempFolder temp;
};

std::string Line(const GameLocation& l) {
  return std::string(Game(l.game).commandLineName) + " | " + l.folder + " | " + l.source + " | " +
         l.winePrefix.value_or("-") + " | " + std::to_string(l.executableSize) +
         (l.knownRelease ? " known" : "");
}

TEST_F(GameSearchTest, FindsEachGameWhereItsExecutableIs) {
  SearchPlaces places;
  places.winePrefixes = {Path("prefix")};
  places.steamFolders = {Path("steam")};
  places.installParents = {Path("games")};
  std::vector<std::string> found;
  for (const GameLocation& location : FindGames(places)) found.push_back(Line(location));
  const std::string registry = "the registry of Wine prefix " + Path("prefix");
  EXPECT_EQ(found, (std::vector<std::string>{
                       "tie | " + Path("prefix/drive_c/program files/LUCASARTS/tie95") + " | " +
                           registry + " | " + Path("prefix") + " | 1071616 known",
                       "xvt | " + Path("prefix/drive_c/XvT") + " | " + registry + " | " +
                           Path("prefix") + " | 1422336 known",
                       "bop | " + Path("prefix/drive_c/XvT/BalanceOfPower") + " | " + registry +
                           " | " + Path("prefix") + " | 1405952 known",
                       "xwa | " + Path("library/steamapps/common/STAR WARS X-Wing Alliance") +
                           " | Steam library " + Path("library") + " | " +
                           Path("library/steamapps/compatdata/361670/pfx") + " | 1000",
                       "tie | " + Path("games/TIE Fighter") + " | usual folder " + Path("games") +
                           " | - | 5",
                   }));
}

TEST_F(GameSearchTest, AFolderWithoutTheExecutableIsNotAGame) {
  std::filesystem::remove(temp.Native("prefix/drive_c/XvT/Z_XVT__.EXE"));
  SearchPlaces places;
  places.winePrefixes = {Path("prefix")};
  std::vector<std::string> games;
  for (const GameLocation& location : FindGames(places))
    games.emplace_back(Game(location.game).commandLineName);
  EXPECT_EQ(games, (std::vector<std::string>{"tie", "bop"}));
}

#ifndef _WIN32
TEST_F(GameSearchTest, AFolderReachedThroughALinkIsOneFolder) {
  std::filesystem::create_directory_symlink(temp.Native("library"), temp.Native("linked"));
  SearchPlaces places;
  places.steamFolders = {Path("library"), Path("linked")};
  const std::vector<GameLocation> found = FindGames(places);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].folder, Path("library/steamapps/common/STAR WARS X-Wing Alliance"));
}

TEST_F(GameSearchTest, TheCommandStoresTheReleasesFoundAndTellsHowToPlay) {
  testing::ScopedSettings settings;
  const std::string home = temp.Path("home");
  temp.MakeFolder("home");
  testing::CliRun run;
  {
    const testing::ScopedEnvironment ownHome("HOME", home);
    const testing::ScopedEnvironment noPrefix("WINEPREFIX", std::nullopt);
    run = testing::RunCommand(cli::FoldersCommand,
                              {"detect", "--wine-prefix", Path("prefix"), "--set"});
  }

  const std::string registry = "the registry of Wine prefix " + Path("prefix");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "tie  " + Path("prefix/drive_c/program files/LUCASARTS/tie95") +
                "\n     TIE Fighter 95, from " + registry + "\n" + "xvt  " +
                Path("prefix/drive_c/XvT") + "\n     X-Wing vs. TIE Fighter 1.14, from " +
                registry + "\n" + "bop  " + Path("prefix/drive_c/XvT/BalanceOfPower") +
                "\n     Balance of Power 2.0, from " + registry + "\n" + "xwa  not found\n" +
                "stored tie  " + Path("prefix/drive_c/program files/LUCASARTS/tie95") + "\n" +
                "stored xvt  " + Path("prefix/drive_c/XvT") + "\n" + "stored bop  " +
                Path("prefix/drive_c/XvT/BalanceOfPower") + "\n" + "to play through Wine:\n" +
                "  WINEPREFIX=" + Path("prefix") + " vantrel --runner wine play tie\n" +
                "  WINEPREFIX=" + Path("prefix") + " vantrel --runner wine play xvt\n" +
                "  WINEPREFIX=" + Path("prefix") + " vantrel --runner wine play bop\n");
  EXPECT_EQ(ReadGameFolder(GameId::TieFighter),
            Path("prefix/drive_c/program files/LUCASARTS/tie95"));
  EXPECT_EQ(ReadGameFolder(GameId::BalanceOfPower), Path("prefix/drive_c/XvT/BalanceOfPower"));
  EXPECT_EQ(ReadGameFolder(GameId::XwingAlliance), "");
}
#endif

TEST(DetectCommand, RefusesUnknownWords) {
  EXPECT_EQ(testing::RunCommand(cli::FoldersCommand, {"detect", "--everywhere"}).status, 2);
}

}  // namespace
}  // namespace vantrel
