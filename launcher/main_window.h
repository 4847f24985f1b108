// The launcher's main window: a picture button per game, the battle installed for each,
// the status line, and the menu from which everything else starts. The controller runs
// each command to its end inside the handling of one message; a game is waited for
// without a message loop.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "launcher/play_game.h"
#include "package/package_archive.h"
#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kMainTemplate[] = "MAIN";

// The text of the status label's tooltip, and its tool id.
inline constexpr std::string_view kStatusTooltip = "Status maybe?";
inline constexpr int kStatusTooltipId = 8;

class MainWindow : public ui::DialogController {
 public:
  // `commandLinePackage` is the package the launcher was started with, if any (it may
  // be an empty path). `pause` runs between handing the readme to the shell and staging
  // the battle, so that the viewer comes up first; the launcher waits 500 ms there.
  MainWindow(std::optional<std::string> commandLinePackage, std::function<void()> pause);

  // Icons and button pictures, any interrupted play finished, the installed battles, the
  // tooltips, then the command-line package, unpacked and staged before the window first
  // shows.
  void onInit(ui::Window& window) override;
  bool onCommand(ui::Window& window, int id) override;
  // Every tick, whatever the timer, marks the Balance of Power pilot.
  bool onTimer(ui::Window& window, int id) override;
  void onDestroy(ui::Window& window) override;
  // A package path from another start of the launcher: taken, and loaded as the
  // command-line package is once the current message has been handled, unless a play
  // or a load is under way.
  bool onHandOver(ui::Window& window, std::string_view packagePath) override;

  const GameOptions& options() const { return options_; }

 private:
  void ToggleOption(ui::Window& window, int id);
  void Load(ui::Window& window, const std::optional<std::string>& package);
  void Play(ui::Window& window, GameId game);

  PackageArchive archive_;
  std::optional<std::string> commandLinePackage_;
  std::function<void()> pause_;
  std::deque<std::string> handedOver_;
  GameOptions options_;
  // A play or a load is running; a message loop of a message box inside it may deliver
  // a handed-over package, which must wait for another time.
  bool busy_ = false;
};

}  // namespace vantrel
