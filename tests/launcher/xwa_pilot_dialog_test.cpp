// The pilot roster's dialogs driven as a player drives them: the list as it opens,
// creating, deleting and choosing pilots, and what each button leaves on disk.
#include "launcher/xwa_pilot_dialog.h"

#include <string>
#include <vector>

#include "pilots/xwa_pilot_file.h"
#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

constexpr int kList = 1034;
constexpr int kNewPilot = 1036;
constexpr int kDeletePilot = 1037;
constexpr int kCancel = 1051;
constexpr int kOk = 1054;
constexpr int kEsc = 2;
constexpr int kName = 1034;
constexpr int kPrepare = 1060;
constexpr int kNewOk = 1;
constexpr int kNewCancel = 2;

constexpr char kConfig[] = "lastpilot Luke\nsound 1\n";

class XwaPilotDialogTest : public testing::PilotTest {
 protected:
  void Pilot(std::string_view name) {
    temp.WriteFile(In(kXwa, std::string(name) + "0.plt"), NewXwaPilotFile(name, false));
  }
  std::optional<std::string> PilotFile(std::string_view name) const {
    return temp.ReadFile(In(kXwa, std::string(name) + "0.plt"));
  }
  // Line ends of LF alone, so that any rewrite of the file shows.
  void LastPilot(std::string_view name) {
    WriteConfig("lastpilot " + std::string(name) + "\nsound 1\n");
  }

  void Open() { dialog.Open(controller); }

  testing::FakeWindow dialog;
  XwaPilotDialog controller;
};

TEST_F(XwaPilotDialogTest, OpensWithEveryPilotListedAndTheLastPilotSelected) {
  Pilot("Luke");
  Pilot("Lukas");
  Pilot("Wedge");
  LastPilot("Luke");
  Open();
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Lukas", "Luke", "Wedge"}));
  EXPECT_EQ(dialog.SelectedListEntry(kList), 1);
  EXPECT_EQ(dialog.SelectedListText(kList), "Luke");
  EXPECT_TRUE(dialog.IsEnabled(kOk));
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(XwaPilotDialogTest, TheLastPilotIsFoundByTheListBoxRuleStartingAfterTheFirstEntry) {
  Pilot("Luke");
  Pilot("Lukas");
  struct Case {
    const char* lastPilot;
    const char* selected;
  };
  const Case cases[] = {{"Luke", "Luke"}, {"Lu", "Luke"}, {"lukas", "Lukas"}, {"Han", "Lukas"}};
  for (const Case& c : cases) {
    LastPilot(c.lastPilot);
    testing::FakeWindow window;
    XwaPilotDialog pilots;
    window.Open(pilots);
    EXPECT_EQ(window.SelectedListText(kList), c.selected) << "last pilot " << c.lastPilot;
  }
}

TEST_F(XwaPilotDialogTest, AnEmptyFolderGivesAnEmptyListAndNoOk) {
  LastPilot("Luke");
  Open();
  EXPECT_TRUE(dialog.ListEntries(kList).empty());
  EXPECT_FALSE(dialog.IsEnabled(kOk));
  EXPECT_FALSE(dialog.Press(kOk));
  // Nothing is selected, so there is no pilot to ask about.
  EXPECT_TRUE(dialog.Press(kDeletePilot));
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_EQ(Config(), kConfig);
}

TEST_F(XwaPilotDialogTest, NewPilotCreatesTheTypedPilotPreparedForKzAndListsIt) {
  Pilot("Luke");
  LastPilot("Luke");
  Open();
  desktop.QueueDialogScript([](testing::FakeWindow& newPilot) {
    EXPECT_EQ(newPilot.TextLimit(kName), 12);
    EXPECT_FALSE(newPilot.IsChecked(kPrepare));
    newPilot.Type(kName, "Wedge");
    newPilot.ClickCheckBox(kPrepare);
    // Ticking the box is no reason to close.
    EXPECT_FALSE(newPilot.endedWith());
    newPilot.Press(kNewOk);
  });
  ASSERT_TRUE(dialog.Press(kNewPilot));

  ASSERT_EQ(desktop.dialogs().size(), 1u);
  const testing::OpenedDialog& opened = desktop.dialogs()[0];
  EXPECT_EQ(opened.templateName, "XWA_NEW_PILOT");
  EXPECT_EQ(opened.owner, &dialog);
  EXPECT_EQ(opened.result, 1);
  EXPECT_TRUE(opened.window->destroyed());

  const std::optional<std::string> created = PilotFile("Wedge");
  ASSERT_TRUE(created);
  EXPECT_EQ(testing::FirstDifference(*created, NewXwaPilotFile("Wedge", true)), std::nullopt);
  EXPECT_NE(testing::FirstDifference(*created, NewXwaPilotFile("Wedge", false)), std::nullopt);
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Luke", "Wedge"}));
  EXPECT_EQ(dialog.SelectedListText(kList), "Luke");
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(Config(), kConfig);
}

// The box ticked and unticked again leaves the pilot as the game makes one.
TEST_F(XwaPilotDialogTest, ATwelveCharacterNameIsCutToElevenAndAnUntickedBoxPreparesNothing) {
  Open();
  desktop.QueueDialogScript([](testing::FakeWindow& newPilot) {
    newPilot.Type(kName, "Skywalker12X");
    EXPECT_EQ(newPilot.ItemText(kName), "Skywalker12X");
    newPilot.ClickCheckBox(kPrepare);
    newPilot.ClickCheckBox(kPrepare);
    newPilot.Press(kNewOk);
  });
  dialog.Press(kNewPilot);
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"Skywalker120.plt"}));
  const std::optional<std::string> created = PilotFile("Skywalker12");
  ASSERT_TRUE(created);
  EXPECT_EQ(testing::FirstDifference(*created, NewXwaPilotFile("Skywalker12", false)),
            std::nullopt);
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Skywalker12"}));
  // The list was empty when the dialog opened; now there is a pilot to choose.
  EXPECT_TRUE(dialog.IsEnabled(kOk));
}

TEST_F(XwaPilotDialogTest, ANameInUseKeepsTheNewPilotDialogOpenUntilCancelled) {
  Pilot("Luke");
  const std::optional<std::string> before = PilotFile("Luke");
  Open();
  desktop.QueueDialogScript([this](testing::FakeWindow& newPilot) {
    newPilot.Type(kName, "Luke");
    newPilot.ClickCheckBox(kPrepare);
    newPilot.Press(kNewOk);
    EXPECT_EQ(desktop.MessageTexts(), (Names{"This pilot name already exists"}));
    EXPECT_FALSE(newPilot.endedWith());
    newPilot.Press(kNewCancel);
  });
  dialog.Press(kNewPilot);
  EXPECT_EQ(desktop.dialogs()[0].result, 2);
  EXPECT_EQ(PilotFile("Luke"), before);
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"Luke0.plt"}));
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Luke"}));
}

TEST_F(XwaPilotDialogTest, CancellingTheNewPilotDialogCreatesNothingAndRebuildsTheList) {
  Pilot("Luke");
  Open();
  // The list is rebuilt from the folder, whatever the new-pilot dialog did.
  Pilot("Wedge");
  desktop.QueueDialogScript([](testing::FakeWindow& newPilot) {
    newPilot.Type(kName, "Biggs");
    newPilot.Press(kNewCancel);
  });
  dialog.Press(kNewPilot);
  EXPECT_EQ(desktop.dialogs()[0].result, 2);
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"Luke0.plt", "Wedge0.plt"}));
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Luke", "Wedge"}));
  EXPECT_TRUE(desktop.messages().empty());
}

// No keeps the pilot; Yes deletes it and rebuilds the list, down to none. The
// configuration is never touched, not even when the last pilot it names goes.
TEST_F(XwaPilotDialogTest, DeleteAsksAboutTheSelectedPilotAndDeletesItOnlyOnYes) {
  Pilot("Luke");
  Pilot("Wedge");
  LastPilot("Wedge");
  Open();
  dialog.ChooseEntry(kList, 0);
  desktop.QueueAnswer(ui::Answer::No);
  dialog.Press(kDeletePilot);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const testing::ShownMessage& question = desktop.messages()[0];
  EXPECT_EQ(question.text, "Sure you want to delete pilot Luke?");
  EXPECT_EQ(question.title, "VNTL");
  EXPECT_EQ(question.icon, ui::Icon::Exclamation);
  EXPECT_EQ(question.buttons, ui::Buttons::YesNo);
  EXPECT_EQ(question.owner, &dialog);
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"CONFIG.CFG", "Luke0.plt", "Wedge0.plt"}));
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Luke", "Wedge"}));
  EXPECT_EQ(dialog.SelectedListText(kList), "Luke");

  desktop.QueueAnswer(ui::Answer::Yes);
  dialog.Press(kDeletePilot);
  EXPECT_EQ(desktop.MessageTexts().back(), "Sure you want to delete pilot Luke?");
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"CONFIG.CFG", "Wedge0.plt"}));
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Wedge"}));
  EXPECT_EQ(dialog.SelectedListText(kList), "Wedge");
  EXPECT_TRUE(dialog.IsEnabled(kOk));

  desktop.QueueAnswer(ui::Answer::Yes);
  dialog.Press(kDeletePilot);
  EXPECT_TRUE(dialog.ListEntries(kList).empty());
  EXPECT_FALSE(dialog.IsEnabled(kOk));
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"CONFIG.CFG"}));
  EXPECT_EQ(Config(), "lastpilot Wedge\nsound 1\n");
  EXPECT_FALSE(dialog.endedWith());
}

TEST_F(XwaPilotDialogTest, DeletingAPilotStoredUnderAnotherFileNameFindsNoFileButRebuildsTheList) {
  temp.WriteFile(In(kXwa, "renamed0.plt"), NewXwaPilotFile("Wedge", false));
  Open();
  // Another pilot turns up meanwhile; the rebuilt list shows it.
  Pilot("Luke");
  desktop.QueueAnswer(ui::Answer::Yes);
  dialog.Press(kDeletePilot);
  EXPECT_EQ(desktop.MessageTexts(),
            (Names{"Sure you want to delete pilot Wedge?", "Can't find pilot to delete"}));
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"Luke0.plt", "renamed0.plt"}));
  EXPECT_EQ(dialog.ListEntries(kList), (Names{"Luke", "Wedge"}));
}

TEST_F(XwaPilotDialogTest, OkMakesTheChosenPilotTheLastPilotAndCloses) {
  Pilot("Luke");
  Pilot("Wedge");
  LastPilot("Wedge");
  Open();
  // Choosing in the list only selects.
  ASSERT_TRUE(dialog.ChooseEntry(kList, 0));
  EXPECT_FALSE(dialog.endedWith());
  EXPECT_EQ(Config(), "lastpilot Wedge\nsound 1\n");

  dialog.Press(kOk);
  EXPECT_EQ(Config(), "lastpilot Luke\r\nsound 1\r\n");
  EXPECT_EQ(dialog.endedWith(), kOk);
  EXPECT_TRUE(dialog.destroyed());
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"CONFIG.CFG", "Luke0.plt", "Wedge0.plt"}));

  // The first line is written again even for the pilot it names already.
  LastPilot("Luke");
  testing::FakeWindow again;
  XwaPilotDialog pilots;
  again.Open(pilots);
  again.Press(kOk);
  EXPECT_EQ(Config(), "lastpilot Luke\r\nsound 1\r\n");
}

TEST_F(XwaPilotDialogTest, CancelEscAndUnknownCommandsCloseWithoutWriting) {
  Pilot("Luke");
  Pilot("Wedge");
  LastPilot("Luke");
  for (const int command : {kCancel, kEsc, 1099}) {
    testing::FakeWindow window;
    XwaPilotDialog pilots;
    window.Open(pilots);
    window.ChooseEntry(kList, 1);
    window.Press(command);
    EXPECT_EQ(window.endedWith(), command);
    EXPECT_EQ(Config(), kConfig) << "command " << command;
  }
  EXPECT_EQ(temp.List(FolderOf(kXwa)), (Names{"CONFIG.CFG", "Luke0.plt", "Wedge0.plt"}));
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(XwaPilotDialogTest, RunOpensTheRosterModallyOverItsOwner) {
  Pilot("Luke");
  LastPilot("Luke");
  testing::FakeWindow mainWindow;
  desktop.QueueDialogScript([](testing::FakeWindow& pilots) {
    EXPECT_EQ(pilots.ListEntries(kList), (Names{"Luke"}));
    pilots.Press(kEsc);
  });
  EXPECT_EQ(RunXwaPilotDialog(mainWindow), kEsc);
  ASSERT_EQ(desktop.dialogs().size(), 1u);
  EXPECT_EQ(desktop.dialogs()[0].templateName, "XWA_PILOT");
  EXPECT_EQ(desktop.dialogs()[0].owner, &mainWindow);
}

}  // namespace
}  // namespace vantrel
