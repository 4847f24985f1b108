// The main window driven as a player drives it: menu commands and buttons by id, through
// the fake view, with the chooser, the shell and the dialogs answered by the fake desktop.
#include "launcher/main_window.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/operation_lock.h"
#include "core/settings.h"
#include "platform/file_system.h"
#include "resources/launcher_ids.h"
#include "tests/fakes/fake_ui.h"
#include "tests/launcher/interrupted_play.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::FakeWindow;

constexpr int kTieButton = 1052, kXvtButton = 1053, kBopButton = 1054, kXwaButton = 1055;

// A launcher folder, the four game folders with an executable that is no release (it
// cannot be run, so a play goes straight through), and "Last Dir". What a play or a
// load does when it fails is tested on the sequences themselves (play_game_test.cpp,
// load_battle_test.cpp); here, what the window makes of them.
class MainWindowTest : public testing::GameWorldTest {
 protected:
  MainWindowTest() {
    LayOutLauncher();
    // The table's executable names begin with the backslash that joins them to the folder.
    for (GameId game : kAllGames) {
      temp.WriteFile(In(game, Game(game).executable.substr(1)), "not a game");
    }
    WriteLastDir(temp.Path("old"));
  }

  // Makes "Battles/<name>" holding a battle for X-Wing Alliance.
  std::string MakePackage(const std::string& name, bool withReadme = true) {
    temp.MakeFolder("Battles");
    testing::ZipBuilder zip(temp.Native("Battles/" + name).string());
    zip.Add("battle.kzb", testing::BattleListBytes(3, 9, "Endor Run", {"e1.tie"}))
        .Add("e1.tie", "enciphered");
    if (withReadme) zip.Add("Readme.txt", "read me");
    return temp.Path("Battles\\" + name);
  }

  void Open(std::optional<std::string> package = std::nullopt) {
    controller = std::make_unique<MainWindow>(std::move(package), [this] { ++pauses; });
    window.Open(*controller);
  }

  // Delivers what the window posted to itself, as its message loop would.
  void RunPostedCommands() {
    for (int id : window.TakePostedCommands()) window.Press(id);
  }

  testing::FakeDesktop desktop;
  FakeWindow window;
  std::unique_ptr<MainWindow> controller;
  int pauses = 0;
};

TEST_F(MainWindowTest, InitialisationShowsPicturesBattlesAndTooltips) {
  temp.WriteFile("XWA/KZMISS/Battle.kzb", testing::BattleListBytes(3, 9, "Endor Run", {}));
  Open();
  EXPECT_EQ(window.icon(), 148);
  EXPECT_EQ(window.ButtonImage(kTieButton), 133);
  EXPECT_EQ(window.ButtonImage(kXvtButton), 120);
  EXPECT_EQ(window.ButtonImage(kBopButton), 130);
  EXPECT_EQ(window.ButtonImage(kXwaButton), 132);
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_EQ(window.ItemText(1062), "No battle installed");
  using Tip = ui::MemoryWindow::Tooltip;
  EXPECT_EQ(window.tooltips(),
            (std::vector<Tip>{{kTieButton, "Press to start TIE Figher '95", 4},
                              {kXvtButton, "Press to start X-wing vs TIE Fighter", 5},
                              {kBopButton, "Press to start Balance of Power", 6},
                              {kXwaButton, "Press to start X-wing Alliance", 7},
                              {1074, "Status maybe?", 8}}));
  EXPECT_TRUE(desktop.chooserFolders().empty());
  EXPECT_TRUE(desktop.shellOpened().empty());
  EXPECT_FALSE(window.quitPosted());
}

// A play the launcher could not finish (ended from the task manager while X-Wing Alliance
// ran) is finished when the launcher next starts, before the player can press anything,
// unless another operation holds the installation's lock.
TEST_F(MainWindowTest, AtItsStartTheLauncherFinishesAnInterruptedPlay) {
  testing::LeaveAnInterruptedPlay(*this, GameId::XwingAlliance, "e1.tie");
  const std::vector<std::string> leftOver{"MISSIONS/", "VNTL___.jnl", "VNTL___.tmp",
                                          "XWINGALLIANCE.EXE"};

  // While another operation holds the installation's lock, the journal may be that of a
  // play in progress: the launcher starts without touching it, and says nothing.
  std::optional<platform::FileLock> otherOperation =
      TakeOperationLock(temp.Path("launcher"), std::chrono::milliseconds(0));
  ASSERT_EQ(otherOperation->state(), platform::FileLock::State::Held);
  Open();
  EXPECT_EQ(desktop.MessageTexts(), std::vector<std::string>{});
  EXPECT_EQ(temp.List("XWA"), leftOver);
  EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/e1.tie"), "plain");
  otherOperation.reset();

  Open();
  const std::string executable = temp.SystemPath("XWA/XWINGALLIANCE.EXE");
  EXPECT_EQ(desktop.MessageTexts(),
            (std::vector<std::string>{
                "The last play of X-Wing Alliance did not finish. Its executable " + executable +
                " has been put back as it was before that play, and its 1 plain mission in " +
                temp.SystemPath("XWA/MISSIONS/") + " has been removed."}));
  EXPECT_EQ(desktop.messages()[0].owner, &window);
  EXPECT_EQ(desktop.messages()[0].icon, ui::Icon::Exclamation);
  EXPECT_EQ(temp.ReadFile("XWA/XWINGALLIANCE.EXE"), "as installed");
  EXPECT_EQ(temp.List("XWA"), (std::vector<std::string>{"MISSIONS/", "XWINGALLIANCE.EXE"}));
}

// One row per command of the menu and the window: what a press of it leads to.
struct DispatchRow {
  int id;
  std::string dialog;                 // template opened, owned by the main window
  bool quits;                         // posts the quit message with 0
  std::vector<std::string> messages;  // message boxes shown
  bool chooser;                       // the battle file chooser was shown
  std::vector<std::string> status;    // texts the status line was given
  bool timer;                         // timer 1 started and stopped
};

void PrintTo(const DispatchRow& row, std::ostream* out) { *out << row.id; }

class MainWindowDispatchTest : public MainWindowTest,
                               public ::testing::WithParamInterface<DispatchRow> {};

TEST_P(MainWindowDispatchTest, EachCommandDoesWhatItsRowSays) {
  const DispatchRow& row = GetParam();
  Open();
  ASSERT_TRUE(window.Press(row.id));

  if (row.dialog.empty()) {
    EXPECT_TRUE(desktop.dialogs().empty());
  } else {
    ASSERT_EQ(desktop.dialogs().size(), 1u);
    EXPECT_EQ(desktop.dialogs()[0].templateName, row.dialog);
    EXPECT_EQ(desktop.dialogs()[0].owner, &window);
  }
  EXPECT_EQ(window.quitPosted(), row.quits ? std::optional<int>(0) : std::nullopt);
  EXPECT_EQ(desktop.MessageTexts(), row.messages);
  EXPECT_EQ(desktop.chooserFolders().size(), row.chooser ? 1u : 0u);
  EXPECT_TRUE(desktop.shellOpened().empty());
  EXPECT_EQ(window.History(IDC_STATUS_LINE), row.status);
  EXPECT_EQ(window.timerLog(), row.timer ? (std::vector<std::string>{"start 1 60000", "stop 1"})
                                         : std::vector<std::string>{});
  // No command but the option items checks anything.
  for (int item : {40014, 40010, 40012, 40017, 40019, 40011}) {
    EXPECT_FALSE(window.IsMenuItemChecked(item)) << item;
  }
}

const std::vector<std::string> kPlayed = {"Game running...", "Idle"};

INSTANTIATE_TEST_SUITE_P(
    Commands, MainWindowDispatchTest,
    ::testing::Values(
        DispatchRow{kTieButton, "", false, {}, false, kPlayed, false},
        DispatchRow{kXvtButton, "", false, {}, false, kPlayed, false},
        DispatchRow{kBopButton, "", false, {}, false, kPlayed, true},
        DispatchRow{kXwaButton, "", false, {}, false, kPlayed, false},
        DispatchRow{40020, "", false, {}, true, {}, false},
        DispatchRow{40008, "PATH", false, {}, false, {}, false},
        DispatchRow{40012, "", false, {}, false, {}, false},
        DispatchRow{40013, "XWA_PILOT", false, {}, false, {}, false},
        DispatchRow{40005, "", false, {"Can't find help file!"}, false, {}, false},
        DispatchRow{40006, "ABOUT", false, {}, false, {}, false},
        DispatchRow{40004, "", true, {}, false, {}, false},
        DispatchRow{2, "", true, {}, false, {}, false},       // Esc and the close box
        DispatchRow{1074, "", true, {}, false, {}, false},    // a click on "Status:"
        DispatchRow{1068, "", true, {}, false, {}, false},
        DispatchRow{40001, "", true, {}, false, {}, false}));

TEST_F(MainWindowTest, ClosingTheWindowQuitsWithZero) {
  Open();
  window.EndDialog(0);
  controller->onDestroy(window);
  EXPECT_EQ(window.quitPosted(), 0);
}

// Help opens the help file through the shell; without it the box has no icon.
TEST_F(MainWindowTest, HelpIsOpenedByTheShellWhenTheFileIsThere) {
  Open();
  window.Press(40005);
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.messages()[0].title, "VNTL");
  EXPECT_EQ(desktop.messages()[0].icon, ui::Icon::None);
  EXPECT_EQ(desktop.messages()[0].owner, &window);

  temp.WriteFile("launcher/VNTL.chm", "help");
  window.Press(40005);
  EXPECT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.shellOpened(), (std::vector<std::string>{temp.Path("launcher\\VNTL.chm")}));
  EXPECT_EQ(desktop.shellOwners(), (std::vector<const ui::Window*>{&window}));
}

// Clicks on option items, and the items checked afterwards.
struct ToggleCase {
  std::vector<int> clicks;
  std::set<int> checked;
};

TEST_F(MainWindowTest, OptionItemsToggleTheirFlagsAndTheTieItemsExcludeEachOther) {
  const std::vector<ToggleCase> cases = {
      {{40014}, {40014}},
      {{40010}, {40010}},
      {{40014, 40010}, {40010}},
      {{40010, 40014}, {40014}},
      {{40014, 40014}, {}},
      {{40014, 40010, 40010}, {}},  // unchecking one leaves the other unchecked
      {{40010, 40014, 40014}, {}},
      {{40017}, {40017}},
      {{40019}, {40019}},
      {{40011}, {40011}},
      {{40017, 40019, 40011, 40017}, {40019, 40011}},
      {{40014, 40017, 40019, 40011}, {40014, 40017, 40019, 40011}},
      {{40012}, {}},
  };
  for (const ToggleCase& c : cases) {
    std::string name;
    for (int id : c.clicks) name += std::to_string(id) + " ";
    SCOPED_TRACE(name);
    FakeWindow fresh;
    MainWindow main(std::nullopt, {});
    fresh.Open(main);
    for (int id : c.clicks) fresh.Press(id);
    std::set<int> checked;
    for (int item : {40014, 40010, 40012, 40017, 40019, 40011}) {
      if (fresh.IsMenuItemChecked(item)) checked.insert(item);
    }
    EXPECT_EQ(checked, c.checked);
    const GameOptions& o = main.options();
    EXPECT_EQ(o.enableTieRebelFighters, c.checked.contains(40014));
    EXPECT_EQ(o.enableTieTransports, c.checked.contains(40010));
    EXPECT_EQ(o.enableXvtTransports, c.checked.contains(40017));
    EXPECT_EQ(o.enableBopTransports, c.checked.contains(40019));
    EXPECT_EQ(o.enableXwaBriefingAudio, c.checked.contains(40011));
    EXPECT_FALSE(fresh.quitPosted());
  }
}

TEST_F(MainWindowTest, TheTimerMarksTheBalanceOfPowerPilot) {
  std::string pilot(0x12790, '\0');
  temp.WriteFile("BOP/Luke0.pl2", pilot);
  Open();
  EXPECT_TRUE(controller->onTimer(window, 1));
  pilot[0x12782] = '\x01';
  EXPECT_EQ(temp.ReadFile("BOP/Luke0.pl2"), pilot);
  // Whatever the timer's id.
  temp.WriteFile("BOP/Luke0.pl2", std::string(0x12790, '\0'));
  EXPECT_TRUE(controller->onTimer(window, 7));
  EXPECT_EQ(temp.ReadFile("BOP/Luke0.pl2"), pilot);
}

TEST_F(MainWindowTest, AChosenPackageIsLoadedAndItsFolderRemembered) {
  const std::string package = MakePackage("b1.kzm");
  desktop.QueueChosenFile(package);
  Open();
  window.Press(40020);
  EXPECT_EQ(desktop.chooserFolders(), (std::vector<std::string>{temp.Path("old")}));
  EXPECT_EQ(ReadLastDir(), temp.Path("Battles"));
  EXPECT_EQ(desktop.shellOpened(),
            (std::vector<std::string>{temp.Path("launcher\\Temp\\Readme.txt")}));
  EXPECT_EQ(desktop.shellOwners(), (std::vector<const ui::Window*>{&window}));
  EXPECT_EQ(pauses, 1);
  EXPECT_TRUE(temp.Exists("XWA/KZMISS/e1.tie"));
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_TRUE(window.History(IDC_STATUS_LINE).empty());
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(MainWindowTest, TheCommandLinePackageIsStagedBeforeTheWindowShows) {
  temp.MakeFolder("My Battles");
  const std::string package = MakePackage("Endor run.kzm");
  Open(package);
  // Done within the initialisation: the window has not been shown yet.
  EXPECT_TRUE(temp.Exists("XWA/KZMISS/e1.tie"));
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_EQ(desktop.shellOpened(),
            (std::vector<std::string>{temp.Path("launcher\\Temp\\Readme.txt")}));
  EXPECT_EQ(pauses, 1);
  EXPECT_TRUE(desktop.chooserFolders().empty());
  EXPECT_EQ(ReadLastDir(), temp.Path("old"));
}

TEST_F(MainWindowTest, APackageHandedOverIsLoadedAfterTheWindowComesToTheFront) {
  Open();
  const std::string package = MakePackage("b2.kzm");
  EXPECT_TRUE(controller->onHandOver(window, package));
  EXPECT_EQ(window.broughtToFront(), 1);
  // Nothing is loaded inside the hand-over itself, so the giver is answered at once.
  EXPECT_FALSE(temp.Exists("XWA/KZMISS/e1.tie"));
  EXPECT_EQ(window.postedCommands(), (std::vector<int>{IDM_LOAD_HANDED_OVER}));
  RunPostedCommands();
  EXPECT_TRUE(temp.Exists("XWA/KZMISS/e1.tie"));
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_TRUE(desktop.chooserFolders().empty());
  EXPECT_EQ(ReadLastDir(), temp.Path("old"));
  EXPECT_FALSE(window.quitPosted());
  // The command alone, with nothing handed over, does nothing.
  window.Press(IDM_LOAD_HANDED_OVER);
  EXPECT_FALSE(window.quitPosted());
}

TEST_F(MainWindowTest, APackageHandedOverDuringAPlayIsRefused) {
  // The wrong-version box runs a message loop in the middle of the play; a package
  // handed over then must not be loaded into the game being prepared.
  temp.WriteFile("XVT/Z_XVT__.EXE", "not the release");
  Open();
  window.Press(40017);
  std::optional<bool> taken;
  desktop.OnMessage([&](const testing::ShownMessage&) {
    taken = controller->onHandOver(window, MakePackage("b3.kzm"));
  });
  window.Press(kXvtButton);
  EXPECT_EQ(taken, false);
  EXPECT_TRUE(window.postedCommands().empty());
  // Once the play is over, the launcher takes packages again.
  EXPECT_TRUE(controller->onHandOver(window, MakePackage("b3.kzm")));
}

TEST_F(MainWindowTest, APackageWithoutAReadmeStillHasItsReadmeOpenedAndIsStaged) {
  desktop.QueueChosenFile(MakePackage("plain.kzm", false));
  Open();
  window.Press(40020);
  EXPECT_EQ(desktop.shellOpened().size(), 1u);
  EXPECT_EQ(window.ItemText(1063), "Endor Run");
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace vantrel
