// The main window of a run of `vantrel`: the console window the program installs at
// start, or, where none was installed (a command run on its own, as tests do), a quiet
// console window of its own.
#include "cli/commands.h"

template <>
vantrel::ui::ConsoleWindow& vantrel::platform::Service<vantrel::ui::ConsoleWindow>::Default() {
  static ui::ConsoleDesktop quietDesktop(ui::ConsoleOptions{});
  static ui::ConsoleWindow quiet(quietDesktop);
  return quiet;
}
