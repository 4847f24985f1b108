// The installation sequence on a temporary machine: what lands in the destination and in
// the install log, the registry values, the shortcuts, and the ways it stops early.
#include "setup/install_steps.h"

#include <string>
#include <vector>

#include "setup/install_folder.h"
#include "setup/shortcut_places.h"
#include "tests/setup/install_fixture.h"

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

class InstallStepsTest : public testing::InstallTest {
 protected:
  InstallResult Install() {
    CreateInstallFolder(destination);
    return InstallVantrel(destination, {[this](std::string_view name) { names.emplace_back(name); },
                                        [this](int percent) { percents.push_back(percent); }});
  }
  std::optional<std::string> Installed(std::string_view relative) const {
    return temp.ReadFile("Program Files/Morvain Unlimited/Vantrel/" + std::string(relative));
  }

  Lines names;
  std::vector<int> percents;
};

TEST_F(InstallStepsTest, UnpacksThePackageAndLogsEveryNameBelowTheFolderLine) {
  WriteUsualPackage();
  ASSERT_EQ(Install(), InstallResult::Done);
  EXPECT_EQ(Installed("VNTL.exe"), "launcher");
  EXPECT_EQ(Installed("Docs/Battle Guide.txt"), "guide");
  EXPECT_EQ(Installed("install.log"), destination +
                                          "\r\nVNTL.exe\r\nUninstall.exe\r\nReadme.txt\r\n"
                                          "Docs\\\r\nDocs\\Battle Guide.txt\r\n");
  EXPECT_EQ(names, (Lines{"VNTL.exe", "Uninstall.exe", "Readme.txt", "Docs\\",
                          "Docs\\Battle Guide.txt"}));
  EXPECT_EQ(percents, (std::vector<int>{20, 40, 60, 80, 100}));
}

TEST_F(InstallStepsTest, ThreeEntriesMoveTheBarToAThirdTwoThirdsAndTheEnd) {
  WritePackage({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
  ASSERT_EQ(Install(), InstallResult::Done);
  EXPECT_EQ(percents, (std::vector<int>{33, 66, 100}));
}

TEST_F(InstallStepsTest, EntriesThatWouldLeaveTheDestinationAreNeitherWrittenNorLogged) {
  WritePackage({{"VNTL.exe", "launcher"},
                {"../outside.txt", "escaped"},
                {"/absolute.txt", "escaped"},
                {"C:/drive.txt", "escaped"},
                {"Docs/../../up.txt", "escaped"},
                {"Readme.txt", "read me"}});
  ASSERT_EQ(Install(), InstallResult::Done);
  EXPECT_EQ(Installed("install.log"), destination + "\r\nVNTL.exe\r\nReadme.txt\r\n");
  EXPECT_FALSE(temp.Exists("Program Files/Morvain Unlimited/outside.txt"));
  EXPECT_FALSE(temp.Exists("Program Files/Morvain Unlimited/up.txt"));
  // The refused entries still count on the bar: the walk is over the whole package.
  EXPECT_EQ(percents.size(), 6u);
}

TEST_F(InstallStepsTest, WritesTheLaunchersKeysThePackageTypeAndTheUninstallEntry) {
  WriteUsualPackage();
  ASSERT_EQ(Install(), InstallResult::Done);
  const std::string launcher = "Software\\Morvain Unlimited\\VNTL";
  const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel";
  struct Expected {
    std::string key;
    const char* name;
    std::string data;
  };
  const Expected expected[] = {
      {launcher, "Install Path", destination},
      {launcher, "Last Dir", "C:\\"},
      {launcher + "\\TIE", "Install Path", "C:\\Games\\TIE95"},
      {launcher + "\\XVT", "Install Path", "D:\\LucasArts\\XvT"},
      {launcher + "\\BOP", "Install Path", "D:\\LucasArts\\XvT\\BalanceOfPower"},
      {launcher + "\\XWA", "Install Path", "C:\\Program Files\\LucasArts\\XWA"},
      {"HKEY_CLASSES_ROOT\\.kzm", "", "kzm_ext"},
      {"HKEY_CLASSES_ROOT\\kzm_ext\\DefaultIcon", "", destination + "\\VNTL.exe,0"},
      {"HKEY_CLASSES_ROOT\\kzm_ext\\shell\\open\\command", "",
       "\"" + destination + "\\VNTL.exe\" \"%1\""},
      {uninstall, "DisplayName", "Vantrel"},
      {uninstall, "UninstallString", destination + "\\Uninstall.exe"},
      {uninstall, "DisplayIcon", destination + "\\VNTL.exe,0"},
      {uninstall, "DisplayVersion", VANTREL_VERSION},
      {uninstall, "Publisher", "Morvain Unlimited"},
      {uninstall, "InstallLocation", destination},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(Value(e.key, e.name), e.data) << e.key << " " << e.name;
  }
  // Five small files take one KiB each at most: 8 + 11 + 7 + 5 bytes round up to 1.
  const std::string text = RegistryText();
  EXPECT_NE(text.find("\"EstimatedSize\"=dword:00000001\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"NoModify\"=dword:00000001\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"NoRepair\"=dword:00000001\r\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\kzm_ext]\r\n"), std::string::npos);
  EXPECT_EQ(shell.associationNotices(), 1);
}

TEST_F(InstallStepsTest, GameFoldersAreCopiedWholeUpToTheLongestPath) {
  WriteUsualPackage();
  const std::string deep = "C:\\" + std::string(200, 'x');
  const std::string tooLong = "C:\\" + std::string(257, 'y');
  SetGameSource(testing::kTieSourceKey, deep);
  SetGameSource(testing::kXwaSourceKey, tooLong);
  settings.store().DeleteKeyTree(testing::kXvtSourceKey);
  ASSERT_EQ(Install(), InstallResult::Done);
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL\\TIE", "Install Path"), deep);
  // Longer than any path: unset, as the launcher would read it.
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL\\XWA", "Install Path"), "");
  // X-Wing vs. TIE Fighter not installed.
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL\\XVT", "Install Path"), "");
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL\\BOP", "Install Path"), "\\BalanceOfPower");
}

TEST_F(InstallStepsTest, TheStartMenuShortcutGoesToTheShellsProgramsFolder) {
  WriteUsualPackage();
  ASSERT_EQ(Install(), InstallResult::Done);
  ASSERT_EQ(shell.shortcuts().size(), 1u);
  EXPECT_EQ(shell.shortcuts()[0].target, destination + "\\VNTL.EXE");
  EXPECT_EQ(shell.shortcuts()[0].link, StartMenu("\\Morvain Unlimited\\Vantrel\\Vantrel.LNK"));
  EXPECT_EQ(shell.shortcuts()[0].description, "VNTL");
  EXPECT_TRUE(temp.Exists("Shell/Start Menu/Programs/Morvain Unlimited/Vantrel/Vantrel.LNK"));

  CreateDesktopShortcut(destination);
  ASSERT_EQ(shell.shortcuts().size(), 2u);
  EXPECT_EQ(shell.shortcuts()[1].target, destination + "\\VNTL.exe");
  EXPECT_EQ(shell.shortcuts()[1].link, Desktop("\\Vantrel.LNK"));
  EXPECT_TRUE(temp.Exists("Shell/Desktop/Vantrel.LNK"));
}

TEST_F(InstallStepsTest, ShortcutPlacesFollowTheSystemsLayout) {
  struct Case {
    int version;
    std::string programs;
    std::string desktop;
  };
  const Case cases[] = {
      {4, "C:\\WINDOWS\\Start Menu\\Programs\\Morvain Unlimited\\Vantrel",
       "C:\\WINDOWS\\Desktop\\Vantrel.LNK"},
      {5,
       "C:\\\\Documents and Settings\\All Users\\Start Menu\\Programs\\Morvain Unlimited\\Vantrel",
       "C:\\\\Documents and Settings\\All Users\\Desktop\\Vantrel.LNK"},
      {6, StartMenu("\\Morvain Unlimited\\Vantrel"), Desktop("\\Vantrel.LNK")},
      {10, StartMenu("\\Morvain Unlimited\\Vantrel"), Desktop("\\Vantrel.LNK")},
  };
  for (const Case& c : cases) {
    shell.PretendWindows(c.version, "C:\\WINDOWS");
    const ShortcutPlaces places = FindShortcutPlaces();
    EXPECT_EQ(places.programFolder, c.programs) << "version " << c.version;
    EXPECT_EQ(places.startMenuShortcut, c.programs + "\\Vantrel.LNK") << "version " << c.version;
    EXPECT_EQ(places.desktopShortcut, c.desktop) << "version " << c.version;
    EXPECT_EQ(HasDocumentsAndSettingsProfiles(), c.version == 5);
  }
}

TEST_F(InstallStepsTest, WithoutThePackageNothingIsDone) {
  EXPECT_EQ(Install(), InstallResult::PackageMissing);
  EXPECT_FALSE(temp.Exists("Program Files/Morvain Unlimited/Vantrel/install.log"));
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL", "Install Path"), std::nullopt);
  EXPECT_TRUE(shell.shortcuts().empty());
}

TEST_F(InstallStepsTest, WithoutALogNothingIsUnpackedOrRegistered) {
  WriteUsualPackage();
  temp.WriteFile("Program Files/Morvain Unlimited/Vantrel", "a file where the folder should be");
  EXPECT_EQ(Install(), InstallResult::LogNotCreated);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL", "Install Path"), std::nullopt);
  EXPECT_EQ(Value("HKEY_CLASSES_ROOT\\.kzm", ""), std::nullopt);
  EXPECT_TRUE(shell.shortcuts().empty());
}

TEST_F(InstallStepsTest, AnEmptyPackageStillRegistersTheSystem) {
  WritePackage({{"Docs/", ""}});
  ASSERT_EQ(Install(), InstallResult::Done);
  EXPECT_EQ(Installed("install.log"), destination + "\r\nDocs\\\r\n");
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL", "Install Path"), destination);
  EXPECT_NE(RegistryText().find("\"EstimatedSize\"=dword:00000000\r\n"), std::string::npos);
}

TEST(CreateInstallFolderTest, MakesEveryLevelAndAcceptsWhatExists) {
  testing::TempFolder temp;
  temp.WriteFile("file", "x");
  struct Case {
    std::string path;
    bool created;
    const char* check;  // what exists afterwards, relative to the temporary folder
  };
  const Case cases[] = {
      {temp.Path("a\\b\\c"), true, "a/b/c"},
      {temp.Path("trailing\\"), true, "trailing"},
      {temp.Path("double\\\\level"), true, "double/level"},
      {temp.Path("file"), true, "file"},
      {temp.Path("file\\below"), false, nullptr},
      {temp.Path(std::string(260, 'n')), false, nullptr},
      {"", false, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CreateInstallFolder(c.path), c.created) << c.path;
    if (c.check != nullptr) {
      EXPECT_TRUE(temp.Exists(c.check)) << c.path;
    }
  }
  EXPECT_EQ(temp.List(), (Lines{"a/", "double/", "file", "trailing/"}));
}

}  // namespace
}  // namespace vantrel
