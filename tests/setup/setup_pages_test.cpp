// Setup's pages driven as a user drives them, through the fake desktop: each script is
// what the user does on the next page that opens, in order, so a test reads as the walk
// through the wizard.
#include "setup/setup_pages.h"

#include <string>
#include <utility>
#include <vector>

#include "resources/setup_ids.h"
#include "setup/install_steps.h"
#include "tests/setup/install_fixture.h"

namespace vantrel {
namespace {

using testing::FakeWindow;
using testing::Message;
using testing::Names;

class SetupPagesTest : public testing::InstallTest {
 protected:
  SetupPagesTest() { session.defaultDestination = destination; }

  void Script(std::function<void(FakeWindow&)> script) {
    desktop.QueueDialogScript(std::move(script));
  }
  static std::function<void(FakeWindow&)> Press(int id) {
    return [id](FakeWindow& page) { EXPECT_TRUE(page.Press(id)) << "press " << id; };
  }
  // On each next page, one button pressed.
  void ScriptPresses(std::initializer_list<int> ids) {
    for (const int id : ids) Script(Press(id));
  }
  // Welcome and Agreement passed.
  void ScriptToDestinationPage() { ScriptPresses({IDC_WELCOME_NEXT, IDC_AGREEMENT_YES}); }
  // Welcome, Agreement and Destination passed with the default folder.
  void ScriptToCopyPage() {
    ScriptToDestinationPage();
    Script(Press(IDC_DESTINATION_NEXT));
  }
  void Run() { RunSetupPage(session, SetupPage::Welcome); }
  const FakeWindow& Page(std::size_t index) const { return *desktop.dialogs().at(index).window; }

  SetupSession session;
};

TEST_F(SetupPagesTest, TheWholeWalkInstallsAndFinishes) {
  WriteUsualPackage();
  ScriptToCopyPage();
  Script([](FakeWindow& copy) {
    EXPECT_EQ(copy.ProgressRange(IDC_COPY_PROGRESS), std::make_pair(0, 100));
    EXPECT_EQ(copy.ProgressPosition(IDC_COPY_PROGRESS), 0);
    copy.Press(IDC_COPY_START);
  });
  Script([](FakeWindow& end) {
    EXPECT_TRUE(end.IsChecked(IDC_END_DESKTOP_SHORTCUT));
    EXPECT_TRUE(end.IsChecked(IDC_END_VIEW_README));
    EXPECT_FALSE(end.IsEnabled(IDC_SETUP_CANCEL));
    EXPECT_FALSE(end.IsEnabled(IDC_END_BACK));
    end.Press(IDC_END_FINISH);
  });
  Run();
  EXPECT_EQ(OpenedTemplates(), (Names{"Welcome", "Agreement", "Destination", "Copy", "End"}));
  EXPECT_EQ(Page(1).ItemText(IDC_AGREEMENT_TEXT), kDisclaimer);
  EXPECT_EQ(Page(3).History(IDC_COPY_ENTRY),
            (Names{"VNTL.exe", "Uninstall.exe", "Readme.txt", "Docs\\", "Docs\\Battle Guide.txt"}));
  EXPECT_EQ(Page(3).ProgressPosition(IDC_COPY_PROGRESS), 100);
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
  ScriptToDestinationPage();
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(IDC_DESTINATION_FOLDER), destination);
    destinationPage.Type(IDC_DESTINATION_FOLDER, temp.Path("Elsewhere"));
    destinationPage.Press(IDC_DESTINATION_NEXT);
  });
  Script(Press(IDC_COPY_BACK));
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(IDC_DESTINATION_FOLDER), temp.Path("Elsewhere"));
    destinationPage.Press(IDC_DESTINATION_BACK);
  });
  ScriptPresses({IDC_AGREEMENT_BACK, IDC_WELCOME_NEXT, IDC_AGREEMENT_YES});
  Script([this](FakeWindow& destinationPage) {
    EXPECT_EQ(destinationPage.ItemText(IDC_DESTINATION_FOLDER), destination);
    destinationPage.Press(IDC_SETUP_CANCEL);
  });
  Script(Press(IDC_QUIT_EXIT));
  Run();
  EXPECT_EQ(OpenedTemplates(), (Names{"Welcome", "Agreement", "Destination", "Copy", "Destination",
                             "Agreement", "Welcome", "Agreement", "Destination", "Quit"}));
  EXPECT_TRUE(temp.Exists("Elsewhere"));
}

TEST_F(SetupPagesTest, EscAsksOnEveryPageButTheLastAndResumeLeavesThePageAsItWas) {
  // On each of the first four pages: Esc, Resume, then Cancel and Exit Setup.
  const int moveOn[] = {IDC_WELCOME_NEXT, IDC_AGREEMENT_YES, IDC_DESTINATION_NEXT};
  for (int page = 0; page < 4; ++page) {
    testing::FakeDesktop pageDesktop;
    SetupSession walk;
    walk.defaultDestination = destination;
    for (int i = 0; i < page; ++i) pageDesktop.QueueDialogScript(Press(moveOn[i]));
    pageDesktop.QueueDialogScript([](FakeWindow& current) {
      current.Press(ui::kDialogCancelled);
      EXPECT_FALSE(current.endedWith());
      EXPECT_FALSE(current.quitPosted());
      current.Press(IDC_SETUP_CANCEL);
      EXPECT_EQ(current.endedWith(), IDC_QUIT_EXIT);
      EXPECT_EQ(current.quitPosted(), 0);
    });
    pageDesktop.QueueDialogScript(Press(IDC_QUIT_RESUME));
    pageDesktop.QueueDialogScript(Press(IDC_QUIT_EXIT));
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
  ScriptPresses({IDC_COPY_START, ui::kDialogCancelled});
  Run();
  EXPECT_EQ(OpenedTemplates().back(), "End");
  EXPECT_TRUE(shell.openedDocuments().empty());
  EXPECT_EQ(shell.shortcuts().size(), 1u) << "the Start Menu's only";
  EXPECT_TRUE(session.ending);
}

TEST_F(SetupPagesTest, FinishWithBothBoxesClearedDoesNothingMore) {
  WriteUsualPackage();
  ScriptToCopyPage();
  Script(Press(IDC_COPY_START));
  Script([](FakeWindow& end) {
    end.ClickCheckBox(IDC_END_DESKTOP_SHORTCUT);
    end.ClickCheckBox(IDC_END_VIEW_README);
    EXPECT_FALSE(end.endedWith());
    end.Press(IDC_END_FINISH);
  });
  Run();
  EXPECT_TRUE(shell.openedDocuments().empty());
  EXPECT_EQ(shell.shortcuts().size(), 1u);
}

TEST_F(SetupPagesTest, AFolderThatCannotBeMadeKeepsTheDestinationPageOpen) {
  temp.WriteFile("blocker", "a file");
  ScriptToDestinationPage();
  Script([this](FakeWindow& destinationPage) {
    destinationPage.Type(IDC_DESTINATION_FOLDER, temp.Path("blocker\\Vantrel"));
    destinationPage.Press(IDC_DESTINATION_NEXT);
    EXPECT_FALSE(destinationPage.endedWith());
    destinationPage.Type(IDC_DESTINATION_FOLDER, temp.Path("blocker"));
    // An existing file passes; the install log shows the fault later.
    destinationPage.Press(IDC_DESTINATION_NEXT);
  });
  Script(Press(IDC_COPY_START));
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
    copy.Press(IDC_COPY_START);
    EXPECT_FALSE(copy.IsEnabled(IDC_COPY_START));
    EXPECT_FALSE(copy.endedWith());
    copy.Press(IDC_COPY_BACK);
  });
  ScriptPresses({IDC_SETUP_CANCEL, IDC_QUIT_EXIT});
  Run();
  EXPECT_EQ(desktop.MessageTexts(), (Names{"Can't find setup package!\nInstallation aborting!"}));
  EXPECT_EQ(OpenedTemplates(),
            (Names{"Welcome", "Agreement", "Destination", "Copy", "Destination", "Quit"}));
}

TEST_F(SetupPagesTest, ALogThatCannotBeMadeEndsSetup) {
  WriteUsualPackage();
  temp.WriteFile("Program Files/Morvain Unlimited/Vantrel", "a file");
  ScriptToCopyPage();
  Script(Press(IDC_COPY_START));
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
  ScriptToDestinationPage();
  Script([&](FakeWindow& destinationPage) {
    destinationPage.Press(IDC_DESTINATION_BROWSE);
    EXPECT_EQ(destinationPage.ItemText(IDC_DESTINATION_FOLDER), temp.Path("Picked"));
    answer.reset();
    destinationPage.Press(IDC_DESTINATION_BROWSE);
    EXPECT_EQ(destinationPage.ItemText(IDC_DESTINATION_FOLDER), temp.Path("Picked"));
    destinationPage.Press(IDC_SETUP_CANCEL);
  });
  Script(Press(IDC_QUIT_EXIT));
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
