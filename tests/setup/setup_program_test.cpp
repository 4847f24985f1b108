// Setup's switches and the silent installation with its exit codes.
#include "setup/setup_program.h"

#include <string>
#include <vector>

#include "tests/setup/install_fixture.h"

namespace vantrel {
namespace {

using Arguments = std::vector<std::string>;

TEST(SetupSwitchesTest, ReadsTheKnownSwitchesInAnyCaseAndStopsAtAnUnknownOne) {
  struct Case {
    Arguments arguments;
    bool parsed;
    bool silent;
    bool desktopIcon;
    std::optional<std::string> destination;
    std::string unknown;
  };
  const Case cases[] = {
      {{}, true, false, false, std::nullopt, ""},
      {{"/SILENT"}, true, true, false, std::nullopt, ""},
      {{"/silent", "/DesktopIcon"}, true, true, true, std::nullopt, ""},
      {{"/DIR=C:\\Some Folder", "/SILENT"}, true, true, false, "C:\\Some Folder", ""},
      {{"/dir=\"D:\\Games\\Vantrel\""}, true, false, false, "D:\\Games\\Vantrel", ""},
      {{"/SILENT", "/VERYSILENT"}, false, false, false, std::nullopt, "/VERYSILENT"},
      {{"/DIR="}, false, false, false, std::nullopt, "/DIR="},
      {{"C:\\Folder"}, false, false, false, std::nullopt, "C:\\Folder"},
  };
  for (const Case& c : cases) {
    std::string unknown;
    const std::optional<SetupSwitches> switches = ParseSetupSwitches(c.arguments, unknown);
    const std::string label = c.arguments.empty() ? "(none)" : c.arguments.back();
    ASSERT_EQ(switches.has_value(), c.parsed) << label;
    EXPECT_EQ(unknown, c.unknown) << label;
    if (!switches) continue;
    EXPECT_EQ(switches->silent, c.silent) << label;
    EXPECT_EQ(switches->desktopIcon, c.desktopIcon) << label;
    EXPECT_EQ(switches->destination, c.destination) << label;
  }
}

class SilentSetupTest : public testing::InstallTest {
 protected:
  int Run(Arguments arguments) { return RunSetup(arguments, {}); }
};

TEST_F(SilentSetupTest, InstallsWithoutPagesOrMessages) {
  WriteUsualPackage();
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + destination, "/DESKTOPICON"}), 0);
  EXPECT_TRUE(desktop.dialogs().empty());
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(temp.ReadFile("Program Files/Morvain Unlimited/Vantrel/Readme.txt"), "read me");
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL", "Install Path"), destination);
  ASSERT_EQ(shell.shortcuts().size(), 2u);
  EXPECT_EQ(shell.shortcuts()[1].link, Desktop("\\Vantrel.LNK"));
  EXPECT_TRUE(shell.openedDocuments().empty());
}

TEST_F(SilentSetupTest, ExitCodesTellWhatWentWrong) {
  temp.WriteFile("blocker", "a file");
  // No package yet.
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + destination}), 1);
  WriteUsualPackage();
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + temp.Path("blocker\\Vantrel")}), 2);
  // The folder "exists" (it is a file), so the log is what fails.
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + temp.Path("blocker")}), 2);
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + destination}), 0);
  EXPECT_EQ(shell.shortcuts().size(), 1u) << "no desktop shortcut without /DESKTOPICON";
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(SilentSetupTest, AnUnknownSwitchIsReportedWithTheKnownOnes) {
  WriteUsualPackage();
  EXPECT_EQ(Run({"/SILENT", "/QUIET"}), 3);
  const testing::Message expected{"Setup",
                                   "Unknown switch: /QUIET\n\nSetup knows these switches:\n"
                                   "/SILENT\t\tinstall without pages or messages\n"
                                   "/DIR=\"folder\"\tinstall into this folder\n"
                                   "/DESKTOPICON\twith /SILENT, add the desktop shortcut",
                                   ui::Icon::Exclamation};
  EXPECT_EQ(Messages(), std::vector<testing::Message>{expected});
  EXPECT_FALSE(temp.Exists("Program Files"));
}

TEST_F(SilentSetupTest, DirSetsTheFolderTheWizardStartsWith) {
  desktop.QueueDialogScript([](testing::FakeWindow& welcome) { welcome.Press(1012); });
  desktop.QueueDialogScript([](testing::FakeWindow& agreement) { agreement.Press(1029); });
  desktop.QueueDialogScript([](testing::FakeWindow& destinationPage) {
    destinationPage.Press(1020);
  });
  desktop.QueueDialogScript([](testing::FakeWindow& quit) { quit.Press(1043); });
  EXPECT_EQ(Run({"/DIR=" + temp.Path("Chosen")}), 0);
  ASSERT_EQ(desktop.dialogs().size(), 4u);
  EXPECT_EQ(desktop.dialogs()[2].window->ItemText(1040), temp.Path("Chosen"));
}

}  // namespace
}  // namespace vantrel
