#include "launcher/main_window.h"

#include <array>

#include "launcher/about_dialog.h"
#include "launcher/directories_dialog.h"
#include "launcher/finish_interrupted_play.h"
#include "launcher/game_controls.h"
#include "launcher/help.h"
#include "launcher/installed_battles_labels.h"
#include "launcher/load_battle.h"
#include "launcher/main_window_status.h"
#include "launcher/one_operation.h"
#include "launcher/xwa_pilot_dialog.h"
#include "pilots/bop_mark.h"
#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

// The checkable items of the Game menu, each with its flag. The two TIE Fighter 95
// items exclude each other, since only one of their patches may be applied.
struct OptionItem {
  int id;
  bool GameOptions::*flag;
  int excludes;  // the item that checking this one unchecks; 0 for none
};

constexpr std::array<OptionItem, 5> kOptionItems = {{
    {IDM_TIE_REBEL_FIGHTERS, &GameOptions::enableTieRebelFighters, IDM_TIE_TRANSPORTS},
    {IDM_TIE_TRANSPORTS, &GameOptions::enableTieTransports, IDM_TIE_REBEL_FIGHTERS},
    {IDM_XVT_TRANSPORTS, &GameOptions::enableXvtTransports, 0},
    {IDM_BOP_TRANSPORTS, &GameOptions::enableBopTransports, 0},
    {IDM_XWA_BRIEFING_AUDIO, &GameOptions::enableXwaBriefingAudio, 0},
}};

const OptionItem* FindOptionItem(int id) {
  for (const OptionItem& item : kOptionItems) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

// Marks the controller busy for the length of a play or a load.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

MainWindow::MainWindow(std::optional<std::string> commandLinePackage, std::function<void()> pause)
    : commandLinePackage_(std::move(commandLinePackage)), pause_(std::move(pause)) {}

void MainWindow::onInit(ui::Window& window) {
  window.SetIcon(IDI_VNTL);
  for (GameId game : kAllGames) {
    window.SetButtonImage(Controls(game).button, Controls(game).buttonBitmap);
  }
  // A play cut short when the launcher last ran (ended from the task manager, the
  // machine switched off) is finished before the player can start anything. While
  // another operation holds the installation's lock, what looks left over may be its
  // play in progress; the next play or load finishes it then.
  if (const std::optional<platform::FileLock> lock = TryOperation()) {
    FinishInterruptedPlays(&window);
  }
  ShowInstalledBattles(window);
  for (GameId game : kAllGames) {
    const GameControls& controls = Controls(game);
    window.AddTooltip(controls.button, controls.tooltip, controls.tooltipId);
  }
  window.AddTooltip(IDC_STATUS_LABEL, kStatusTooltip, kStatusTooltipId);
  if (commandLinePackage_) Load(window, commandLinePackage_);
}

bool MainWindow::onCommand(ui::Window& window, int id) {
  if (const std::optional<GameId> game = GameOfButton(id)) {
    Play(window, *game);
    return true;
  }
  if (FindOptionItem(id) != nullptr) {
    ToggleOption(window, id);
    return true;
  }
  switch (id) {
    case IDM_LOAD_BATTLE:
      Load(window, std::nullopt);
      break;
    case IDM_DIRECTORIES:
      RunDirectoriesDialog(window);
      break;
    case IDM_TIE_BRIEFING_AUDIO:
      // Greyed in the menu; nothing stands behind it.
      break;
    case IDM_XWA_PILOT_OPTIONS:
      RunXwaPilotDialog(window);
      break;
    case IDM_HELP_CONTENTS:
      ShowHelpContents(window);
      break;
    case IDM_ABOUT:
      RunAboutDialog(window);
      break;
    case IDM_LOAD_HANDED_OVER:
      if (!handedOver_.empty()) {
        const std::string package = std::move(handedOver_.front());
        handedOver_.pop_front();
        Load(window, package);
      }
      break;
    default:
      // "E&xit", Esc, the close box, a click on "Status:" and every command the window
      // does not know end the launcher.
      window.PostQuit(0);
      break;
  }
  return true;
}

bool MainWindow::onTimer(ui::Window&, int) {
  MarkBopPilot();
  return true;
}

void MainWindow::onDestroy(ui::Window& window) { window.PostQuit(0); }

bool MainWindow::onHandOver(ui::Window& window, std::string_view packagePath) {
  if (busy_) return false;
  handedOver_.emplace_back(packagePath);
  window.BringToFront();
  window.PostCommand(IDM_LOAD_HANDED_OVER);
  return true;
}

void MainWindow::ToggleOption(ui::Window& window, int id) {
  const OptionItem& item = *FindOptionItem(id);
  if (window.IsMenuItemChecked(id)) {
    options_.*item.flag = false;
    window.CheckMenuItem(id, false);
    return;
  }
  options_.*item.flag = true;
  window.CheckMenuItem(id, true);
  if (item.excludes != 0) {
    options_.*FindOptionItem(item.excludes)->flag = false;
    window.CheckMenuItem(item.excludes, false);
  }
}

// With a package given (the command line's, or one handed over) the chooser is not
// shown and "Last Dir" stays; without one the player chooses.
void MainWindow::Load(ui::Window& window, const std::optional<std::string>& package) {
  const BusyScope busy(busy_);
  const ReadmeViewer showReadme = [&](const std::string& readme) {
    ui::Ui().ShellOpen(&window, readme);
    if (pause_) pause_();
  };
  if (package) {
    LoadCommandLinePackage(window, archive_, *package, showReadme);
    return;
  }
  LoadBattle(
      window, archive_,
      [&](const std::string& folder) { return ui::Ui().ChooseBattleFile(window, folder); },
      showReadme);
}

void MainWindow::Play(ui::Window& window, GameId game) {
  const BusyScope busy(busy_);
  MainWindowStatusLine status(window);
  PlayGame(window, status, game, options_);
}

}  // namespace vantrel
