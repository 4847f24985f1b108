// Uninstall after a real installation on the temporary machine: the window as the user
// sees it, what each removal step takes and what it leaves, a log that tries to lead the
// removal elsewhere, and removing twice.
#include "uninstall/uninstall_window.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "setup/install_folder.h"
#include "setup/install_steps.h"
#include "tests/setup/install_fixture.h"
#include "uninstall/remove_steps.h"

namespace vantrel {
namespace {

using testing::FakeWindow;
using testing::Message;
using testing::Names;

constexpr int kEsc = 2;
constexpr int kDoneFiles = 1048;
constexpr int kDoneFolders = 1049;
constexpr int kDoneRegistry = 1050;
constexpr int kBar = 1028;
constexpr int kCompleted = 1045;
constexpr int kStart = 1021;
constexpr int kOk = 1020;

constexpr char kQuestion[] =
    "Are you sure you want to completely remove the selected application and all of its "
    "componets?";

constexpr char kLauncherKey[] = "Software\\Morvain Unlimited\\VNTL";
constexpr char kPerUserKey[] = "HKEY_CURRENT_USER\\Software\\Morvain Unlimited\\VNTL";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel";

class UninstallTest : public testing::InstallTest {
 protected:
  // Installs the usual package with both shortcuts, a file of the player's own in the
  // install folder, and the player's own settings.
  UninstallTest() {
    WriteUsualPackage();
    CreateInstallFolder(destination);
    EXPECT_EQ(InstallVantrel(destination, {}), InstallResult::Done);
    CreateDesktopShortcut(destination);
    temp.WriteFile(In("Temp/battle.kzm"), "the player's own");
    settings.store().CreateKey(kPerUserKey);
    settings.store().WriteString(kPerUserKey, "Window", "centre");
  }

  static std::string In(std::string_view relative) {
    return "Program Files/Morvain Unlimited/Vantrel/" + std::string(relative);
  }
  // Whether the registry file holds the key's section; a path without a root is below
  // HKEY_LOCAL_MACHINE.
  bool KeyExists(std::string_view key) {
    const std::string root = key.starts_with("HKEY_") ? "" : "HKEY_LOCAL_MACHINE\\";
    return RegistryText().find("[" + root + std::string(key) + "]\r\n") != std::string::npos;
  }
  void ExpectNothingRemoved() {
    EXPECT_TRUE(temp.Exists(In("VNTL.exe")));
    EXPECT_TRUE(temp.Exists(In("install.log")));
    EXPECT_EQ(Value(kLauncherKey, "Install Path"), destination);
    EXPECT_TRUE(temp.Exists("Shell/Desktop/Vantrel.LNK"));
  }
  int RunWithAnswer(ui::Answer answer) {
    desktop.QueueAnswer(answer);
    return RunUninstall({});
  }
};

TEST_F(UninstallTest, StartRemovesEverythingSetupMadeAndShowsEachGroupDone) {
  desktop.QueueDialogScript([](FakeWindow& window) {
    for (const int label : {kDoneFiles, kDoneFolders, kDoneRegistry, kCompleted}) {
      EXPECT_FALSE(window.IsVisible(label)) << label;
    }
    EXPECT_FALSE(window.IsEnabled(kOk));
    EXPECT_EQ(window.ProgressRange(kBar), std::make_pair(0, 100));
    EXPECT_EQ(window.ProgressPosition(kBar), 0);
    window.Press(kStart);
    for (const int label : {kDoneFiles, kDoneFolders, kDoneRegistry, kCompleted}) {
      EXPECT_TRUE(window.IsVisible(label)) << label;
    }
    EXPECT_EQ(window.ItemText(kStart), "Please wait");
    EXPECT_FALSE(window.IsEnabled(kStart));
    EXPECT_TRUE(window.IsEnabled(kOk));
    EXPECT_FALSE(window.endedWith());
    window.Press(kOk);
  });
  EXPECT_EQ(RunWithAnswer(ui::Answer::Yes), 0);
  EXPECT_EQ(Messages(), (std::vector<Message>{{"Confirm File Deletion", kQuestion,
                                                ui::Icon::Question, ui::Buttons::YesNo}}));
  ASSERT_EQ(OpenedTemplates(), Names{"MAIN"});
  EXPECT_EQ(desktop.dialogs()[0].window->ProgressPosition(kBar), 100);
  EXPECT_EQ(desktop.dialogs()[0].result, kOk);

  // Files: every logged one, the logged folder once empty, the log; the player's file and
  // the folders holding it stay.
  EXPECT_EQ(temp.List("Program Files/Morvain Unlimited/Vantrel"), (Names{"Temp/"}));
  EXPECT_EQ(temp.ReadFile(In("Temp/battle.kzm")), "the player's own");
  // Registry: the launcher's keys, the package type, the list entry and the player's
  // own key go; the maker's key stays.
  for (const char* key : {kLauncherKey, "Software\\Morvain Unlimited\\VNTL\\XWA", kPerUserKey,
                          kUninstallKey, "HKEY_CLASSES_ROOT\\.kzm", "HKEY_CLASSES_ROOT\\kzm_ext",
                          "HKEY_CLASSES_ROOT\\kzm_ext\\shell\\open\\command"}) {
    EXPECT_FALSE(KeyExists(key)) << key;
  }
  EXPECT_TRUE(KeyExists("Software\\Morvain Unlimited"));
  EXPECT_TRUE(KeyExists(testing::kXwaSourceKey));
  // Shortcuts and the Start Menu folders.
  EXPECT_EQ(temp.List("Shell/Start Menu/Programs"), Names{});
  EXPECT_EQ(temp.List("Shell/Desktop"), Names{});
  EXPECT_EQ(shell.associationNotices(), 2) << "once by Setup, once by Uninstall";
}

TEST_F(UninstallTest, NoOrEscBeforeStartRemovesNothing) {
  EXPECT_EQ(RunWithAnswer(ui::Answer::No), 0);
  EXPECT_TRUE(desktop.dialogs().empty());
  ExpectNothingRemoved();

  desktop.QueueDialogScript([](FakeWindow& window) { window.Press(kEsc); });
  EXPECT_EQ(RunWithAnswer(ui::Answer::Yes), 0);
  ASSERT_EQ(desktop.dialogs().size(), 1u);
  EXPECT_EQ(desktop.dialogs()[0].result, kEsc);
  ExpectNothingRemoved();
}

TEST_F(UninstallTest, RemovingTwiceFindsNoLogTheSecondTime) {
  EXPECT_EQ(RunUninstall({"/SILENT"}), 0);
  EXPECT_FALSE(temp.Exists(In("install.log")));
  EXPECT_EQ(RunUninstall({"/silent"}), 1);

  // The registry no longer names the folder either; with it put back the log is still
  // missing, and the window says so and closes.
  settings.SetLauncherFolder(destination);
  temp.WriteFile(In("VNTL.exe"), "reinstalled by hand");
  EXPECT_EQ(RunWithAnswer(ui::Answer::Yes), 0);
  EXPECT_EQ(Messages(),
            (std::vector<Message>{{"Confirm File Deletion", kQuestion, ui::Icon::Question,
                                   ui::Buttons::YesNo},
                                  {"Error", "Can't find installation log!"}}));
  EXPECT_EQ(desktop.messages()[1].owner, nullptr);
  ASSERT_EQ(desktop.dialogs().size(), 1u);
  EXPECT_TRUE(desktop.dialogs()[0].result);
  EXPECT_EQ(temp.ReadFile(In("VNTL.exe")), "reinstalled by hand");
  EXPECT_TRUE(KeyExists(kLauncherKey));
}

TEST_F(UninstallTest, ALogIsReadOneNameALineAndNamesLeadingOutsideAreSkipped) {
  temp.WriteFile("Program Files/Morvain Unlimited/outside.txt", "keep");
  temp.WriteFile("victim.txt", "keep");
  temp.WriteFile(In("Docs/Battle"), "keep: only part of a logged name");
  temp.WriteFile(In("Docs/Guide.txt"), "keep: only part of a logged name");
  const std::string hostile = destination + "\r\n"
                              "Docs\\Battle Guide.txt\r\n"
                              "..\\outside.txt\r\n"
                              "Docs\\..\\..\\outside.txt\r\n"
                              "\\victim.txt\r\n" +
                              temp.Path("victim.txt") + "\r\n"
                              "C:\\victim.txt\r\n"
                              "C:victim.txt\r\n"
                              "\r\n"
                              "Readme.txt\n";
  temp.WriteFile(In("install.log"), hostile);
  RemoveInstalledFiles();
  EXPECT_FALSE(temp.Exists(In("Docs/Battle Guide.txt")));
  EXPECT_FALSE(temp.Exists(In("Readme.txt")));
  EXPECT_FALSE(temp.Exists(In("install.log")));
  EXPECT_TRUE(temp.Exists(In("VNTL.exe"))) << "not in this log";
  EXPECT_EQ(temp.ReadFile(In("Docs/Battle")), "keep: only part of a logged name");
  EXPECT_TRUE(temp.Exists(In("Docs/Guide.txt")));
  EXPECT_EQ(temp.ReadFile("Program Files/Morvain Unlimited/outside.txt"), "keep");
  EXPECT_EQ(temp.ReadFile("victim.txt"), "keep");
}

TEST_F(UninstallTest, NamesAreTakenBelowTheFolderTheLogWasFoundIn) {
  temp.WriteFile("Elsewhere/Readme.txt", "keep");
  temp.WriteFile(In("install.log"), temp.Path("Elsewhere") + "\r\nReadme.txt\r\n");
  RemoveInstalledFiles();
  EXPECT_FALSE(temp.Exists(In("Readme.txt")));
  EXPECT_EQ(temp.ReadFile("Elsewhere/Readme.txt"), "keep");
}

// The launcher's lock file and an emptied Temp are in no log, yet they go, and with them
// the install folder; a file the player put there keeps it.
TEST_F(UninstallTest, TheLauncherRunTimeFilesGoAndTheFolderWithThem) {
  temp.WriteFile(In("VNTL.lock"), "");
  RemoveInstalledFiles();
  EXPECT_EQ(temp.List("Program Files/Morvain Unlimited/Vantrel"), (Names{"Temp/"}));
  EXPECT_EQ(temp.ReadFile(In("Temp/battle.kzm")), "the player's own");

  std::filesystem::remove(temp.Native(In("Temp/battle.kzm")));
  temp.WriteFile(In("VNTL.lock"), "");
  temp.WriteFile(In("install.log"), destination + "\r\n");
  RemoveInstalledFiles();
  EXPECT_EQ(temp.List("Program Files/Morvain Unlimited"), Names{});
}

TEST_F(UninstallTest, ALogWithOnlyTheFolderLineRemovesOnlyItself) {
  temp.WriteFile(In("install.log"), destination + "\r\n");
  RemoveInstalledFiles();
  EXPECT_FALSE(temp.Exists(In("install.log")));
  EXPECT_EQ(temp.List("Program Files/Morvain Unlimited/Vantrel"),
            (Names{"Docs/", "Readme.txt", "Temp/", "Uninstall.exe", "VNTL.exe"}));
}

}  // namespace
}  // namespace vantrel
