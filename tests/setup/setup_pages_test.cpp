// Setup's pages driven as a user drives them, through the fake desktop: each script is
// what the user does on the next page that opens, in order, so a test reads as the walk
// through the wizard.
#include "setup/setup_pages.h"

#include <string>
#include <utility>
#include <vector>

#include "setup/install_steps.h"
#include "tests/setup/install_fixture.h"

namespace vantrel {
namespace {

using testing::FakeWindow;
using testing::Message;
using testing::Names;

constexpr int kEsc = 2;
constexpr int kCancel = 1020;
constexpr int kWelcomeNext = 1012;
constexpr int kAgreementText = 1017;
constexpr int kYes = 1029;
constexpr int kAgreementBack = 1030;
constexpr int kBrowse = 1026;
constexpr int kDestinationBack = 1034;
constexpr int kDestinationNext = 1035;
constexpr int kFolder = 1040;
constexpr int kBar = 1028;
constexpr int kStart = 1032;
constexpr int kCopyBack = 1033;
constexpr int kEntry = 1041;
constexpr int kFinish = 1024;
constexpr int kEndBack = 1025;
constexpr int kDesktopBox = 1027;
constexpr int kReadmeBox = 1028;
constexpr int kResume = 1042;
constexpr int kExitSetup = 1043;

class SetupPagesTest : public testing::InstallTest {
 protected:
  SetupPagesTest() { session.defaultDestination = destination; }

  void Script(std::function<void(FakeWindow&)> script) {
    desktop.QueueDialogScript(std::move(script));
  }
  static std::function<void(FakeWindow&)> Press(int id) {
    return [id](FakeWindow& page) { EXPECT_TRUE(page.Press(id)) << "press " << id; };
  }
  // Welcome, Agreement and Destination passed with the default folder.
  void ScriptToCopyPage() {
    Script(Press(kWelcomeNext));
    Script(Press(kYes));
    Script(Press(kDestinationNext));
  }
  void Run() { RunSetupPage(session, SetupPage::Welcome); }
  const FakeWindow& Page(std::size_t index) const { return *desktop.dialogs().at(index).window; }

  SetupSession session;
};

TEST_F(SetupPagesTest, TheWholeWalkInstallsAndFinishes) {
  WriteUsualPackage();
  ScriptToCopyPage();
  Script([](FakeWindow& copy) {
    EXPECT_EQ(copy.ProgressRange(kBar), std::make_pair(0, 100));
    EXPECT_EQ(copy.ProgressPosition(kBar), 0);
    copy.Press(kStart);
  });
  Script([](FakeWindow& end) {
    EXPECT_TRUE(end.IsChecked(kDesktopBox));
    EXPECT_TRUE(end.IsChecked(kReadmeBox));
    EXPECT_FALSE(end.IsEnabled(kCancel));
    EXPECT_FALSE(end.IsEnabled(kEndBack));
    end.Press(kFinish);
  });
  Run();
  EXPECT_EQ(OpenedTemplates(), (Names{"Welcome", "Agreement", "Destination", "Copy", "End"}));
  EXPECT_EQ(Page(1).ItemText(kAgreementText), kDisclaimer);
  EXPECT_EQ(Page(3).History(kEntry),
            (Names{"VNTL.exe", "Uninstall.exe", "Readme.txt", "Docs\\", "Docs\\Battle Guide.txt"}));
  EXPECT_EQ(Page(3).ProgressPosition(kBar), 100);
  EXPECT_EQ(shell.openedDocuments(), (Names{destination + "\\Readme.txt"}));
  ASSERT_EQ(shell.shortcuts().size(), 2u);
  EXPECT_EQ(shell.shortcuts()[1].link, Desktop("\\Vantrel.LNK"));
  EXPECT_TRUE(session.ending);
  // The quit message ends the waiting loops of the pages before the last.
  EXPECT_EQ(Page(4).quitPosted(), 0);
  // Every page ended, and no quit question was asked on the way out.
  for (const testing::OpenedDialog& dialog : desktop.dialogs()) EXPECT_TRUE(dialog.result);
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(SetupPagesTest, GoingBackToWelcomeForgetsAChosenFolder) {
  Script(Press(kWelcomeNext));
  Script(Press(kYes));
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(kFolder), destination);
    destinationPage.Type(kFolder, temp.Path("Elsewhere"));
    destinationPage.Press(kDestinationNext);
  });
  Script(Press(kCopyBack));
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(kFolder), temp.Path("Elsewhere"));
    destinationPage.Press(kDestinationBack);
  });
  Script(Press(kAgreementBack));
  Script(Press(kWelcomeNext));
  Script(Press(kYes));
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(kFolder), destination);
    destinationPage.Press(kCancel);
  });
  Script(Press(kExitSetup));
  Run();
  EXPECT_EQ(OpenedTemplates(), (Names{"Welcome", "Agreement", "Destination", "Copy", "Destination",
                             "Agreement", "Welcome", "Agreement", "Destination", "Quit"}));
  EXPECT_TRUE(temp.Exists("Elsewhere"));
}

TEST_F(SetupPagesTest, EscAsksOnEveryPageButTheLastAndResumeLeavesThePageAsItWas) {
  // On each of the first four pages: Esc, Resume, then Cancel and Exit Setup.
  const int moveOn[] = {kWelcomeNext, kYes, kDestinationNext};
  for (int page = 0; page < 4; ++page) {
    testing::FakeDesktop pageDesktop;
    SetupSession walk;
    walk.defaultDestination = destination;
    for (int i = 0; i < page; ++i) pageDesktop.QueueDialogScript(Press(moveOn[i]));
    pageDesktop.QueueDialogScript([](FakeWindow& current) {
      current.Press(kEsc);
      EXPECT_FALSE(current.endedWith());
      EXPECT_FALSE(current.quitPosted());
      current.Press(kCancel);
      EXPECT_EQ(current.endedWith(), kExitSetup);
      EXPECT_EQ(current.quitPosted(), 0);
    });
    pageDesktop.QueueDialogScript(Press(kResume));
    pageDesktop.QueueDialogScript(Press(kExitSetup));
    RunSetupPage(walk, SetupPage::Welcome);
    Names opened;
    for (const testing::OpenedDialog& dialog : pageDesktop.dialogs()) {
      opened.push_back(dialog.templateName);
    }
    ASSERT_EQ(opened.size(), static_cast<std::size_t>(page + 3)) << "page " << page;
    EXPECT_EQ(opened[page + 1], "Quit") << "page " << page;
    EXPECT_EQ(opened[page + 2], "Quit") << "page " << page;
    // The question is owned by the page that asks it.
    EXPECT_EQ(pageDesktop.dialogs()[page + 1].owner, pageDesktop.dialogs()[page].window.get());
    EXPECT_TRUE(walk.ending);
  }
}

TEST_F(SetupPagesTest, EscOnTheEndPageEndsSetupWithoutTheLastSteps) {
  WriteUsualPackage();
  ScriptToCopyPage();
  Script(Press(kStart));
  Script(Press(kEsc));
  Run();
  EXPECT_EQ(OpenedTemplates().back(), "End");
  EXPECT_TRUE(shell.openedDocuments().empty());
  EXPECT_EQ(shell.shortcuts().size(), 1u) << "the Start Menu's only";
  EXPECT_TRUE(session.ending);
}

TEST_F(SetupPagesTest, FinishWithBothBoxesClearedDoesNothingMore) {
  WriteUsualPackage();
  ScriptToCopyPage();
  Script(Press(kStart));
  Script([](FakeWindow& end) {
    end.ClickCheckBox(kDesktopBox);
    end.ClickCheckBox(kReadmeBox);
    EXPECT_FALSE(end.endedWith());
    end.Press(kFinish);
  });
  Run();
  EXPECT_TRUE(shell.openedDocuments().empty());
  EXPECT_EQ(shell.shortcuts().size(), 1u);
}

TEST_F(SetupPagesTest, AFolderThatCannotBeMadeKeepsTheDestinationPageOpen) {
  temp.WriteFile("blocker", "a file");
  Script(Press(kWelcomeNext));
  Script(Press(kYes));
  Script([this](FakeWindow& destinationPage) {
    destinationPage.Type(kFolder, temp.Path("blocker\\Vantrel"));
    destinationPage.Press(kDestinationNext);
    EXPECT_FALSE(destinationPage.endedWith());
    destinationPage.Type(kFolder, temp.Path("blocker"));
    // An existing file passes; the install log shows the fault later.
    destinationPage.Press(kDestinationNext);
  });
  Script(Press(kStart));
  Run();
  // No package was written: the Copy page says so after the folder passed.
  EXPECT_EQ(Messages(),
            (std::vector<Message>{{"Setup", "Error creating the directory!\nInstallation aborting!",
                                   ui::Icon::Exclamation},
                                  {"Setup", "Can't find setup package!\nInstallation aborting!",
                                   ui::Icon::Exclamation}}));
  EXPECT_EQ(desktop.messages()[0].owner, desktop.dialogs()[2].window.get());
}

TEST_F(SetupPagesTest, WithoutThePackageStartStaysDisabledAndBackStillWorks) {
  ScriptToCopyPage();
  Script([](FakeWindow& copy) {
    copy.Press(kStart);
    EXPECT_FALSE(copy.IsEnabled(kStart));
    EXPECT_FALSE(copy.endedWith());
    copy.Press(kCopyBack);
  });
  Script(Press(kCancel));
  Script(Press(kExitSetup));
  Run();
  EXPECT_EQ(desktop.MessageTexts(), (Names{"Can't find setup package!\nInstallation aborting!"}));
  EXPECT_EQ(OpenedTemplates(), (Names{"Welcome", "Agreement", "Destination", "Copy", "Destination", "Quit"}));
}

TEST_F(SetupPagesTest, ALogThatCannotBeMadeEndsSetup) {
  WriteUsualPackage();
  temp.WriteFile("Program Files/Morvain Unlimited/Vantrel", "a file");
  ScriptToCopyPage();
  Script(Press(kStart));
  Run();
  EXPECT_EQ(desktop.MessageTexts(), (Names{"Can't create install log!\nInstallation aborting!"}));
  EXPECT_EQ(OpenedTemplates().back(), "Copy");
  EXPECT_TRUE(session.ending);
  EXPECT_EQ(Value("Software\\Morvain Unlimited\\VNTL", "Install Path"), std::nullopt);
}

TEST_F(SetupPagesTest, BrowsePutsThePickedFolderInTheFieldAndCancelChangesNothing) {
  std::vector<std::string> offered;
  std::optional<std::string> answer = temp.Path("Picked");
  session.browseForFolder = [&](ui::Window&, const std::string& initial) {
    offered.push_back(initial);
    return answer;
  };
  Script(Press(kWelcomeNext));
  Script(Press(kYes));
  Script([&](FakeWindow& destinationPage) {
    destinationPage.Press(kBrowse);
    EXPECT_EQ(destinationPage.ItemText(kFolder), temp.Path("Picked"));
    answer.reset();
    destinationPage.Press(kBrowse);
    EXPECT_EQ(destinationPage.ItemText(kFolder), temp.Path("Picked"));
    destinationPage.Press(kCancel);
  });
  Script(Press(kExitSetup));
  Run();
  EXPECT_EQ(offered, (Names{destination, temp.Path("Picked")}));
  EXPECT_EQ(session.destination, temp.Path("Picked"));
}

TEST_F(SetupPagesTest, TheDisclaimerIsFramedAndEndsItsLinesWithCrLf) {
  const std::string text = kDisclaimer;
  const std::string frame(48, '=');
  EXPECT_EQ(text.substr(0, frame.size() + 2), frame + "\r\n");
  EXPECT_EQ(text.substr(text.size() - frame.size() - 2), frame + "\r\n");
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    EXPECT_EQ(text[at - 1], '\r') << "line end at " << at;
  }
  for (const char* point : {"KZ gaming club", "LucasArts Entertainment Company", "own risk"}) {
    EXPECT_NE(text.find(point), std::string::npos) << point;
  }
}

}  // namespace
}  // namespace vantrel
