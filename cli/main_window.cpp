// The main window of a run of `vantrel`: the console window the program installs at
// start, or, where none was installed (a command run on its own, as tests do), a quiet
// console window of its own.
#include "cli/commands.h"
#include "ui/console/console_desktop.h"

namespace vantrel::cli {
namespace {

ui::ConsoleWindow* installedWindow = nullptr;

}  // namespace

ui::ConsoleWindow& MainWindow() {
  if (installedWindow != nullptr) return *installedWindow;
  static ui::ConsoleDesktop quietDesktop(ui::ConsoleOptions{});
  static ui::ConsoleWindow quiet(quietDesktop);
  return quiet;
}

ui::ConsoleWindow* UseMainWindow(ui::ConsoleWindow* window) {
  ui::ConsoleWindow* previous = installedWindow;
  installedWindow = window;
  return previous;
}

}  // namespace vantrel::cli
