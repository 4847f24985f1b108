// The windowing system of `vantrel`: what the launcher would show in windows goes to the
// terminal. A message box is a line "TITLE: TEXT" on the error output, and a question
// is answered No unless the user said --yes; the main window's status line is printed
// as "Status: TEXT" with --verbose; the STATUS window's bar is drawn in place on one line
// of the error output when that is a terminal, and not at all otherwise. The command line
// opens no dialogs: a dialog asked for is answered as if the user had closed it with Esc
// at once, without its controller running. A message about a failure is followed by a
// line with its cause, when a call of the operation under way recorded one.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/system_error.h"
#include "ui/memory_window.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel::ui {

// "PATH: TEXT" with the path in the system's form (the launcher's paths hold backslashes).
std::string DescribeForConsole(const platform::Failure& failure);

struct ConsoleOptions {
  bool assumeYes = false;    // questions are answered Yes
  bool verbose = false;      // the status line is printed
  bool progressBar = false;  // the progress bar is drawn (only sensible on a terminal)
};

class ConsoleDesktop : public Desktop {
 public:
  explicit ConsoleDesktop(ConsoleOptions options, std::FILE* output = stderr);

  Answer ShowMessage(Window* owner, std::string_view text, std::string_view title, Icon icon,
                     Buttons buttons) override;
  std::unique_ptr<StatusWindow> OpenStatusWindow(Window& owner) override;
  // Shows nothing and returns kDialogCancelled.
  int RunModalDialog(std::string_view templateName, Window* owner,
                     DialogController& controller) override;
  // The terminal has no shell to open documents with, and no chooser or browser: they
  // open nothing and answer as if cancelled.
  void ShellOpen(Window*, std::string_view) override {}
  std::string ChooseBattleFile(Window&, std::string_view) override { return {}; }
  std::string BrowseForFolder(Window&, std::string_view) override { return {}; }

  // Prints one line; a progress bar on the current line is ended first, so that the
  // line does not run into it.
  void PrintLine(std::string_view text);

  const ConsoleOptions& options() const { return options_; }

 private:
  class Bar;

  void DrawBar(int position);
  void EraseBar();

  ConsoleOptions options_;
  std::FILE* output_;
  int openBars_ = 0;
  std::size_t drawnWidth_ = 0;  // characters of the bar on the current line; 0 for none
};

// The status line as `vantrel` has it: printed as "Status: TEXT" whenever it is set, if
// the desktop is verbose.
class ConsoleStatusLine : public StatusLine {
 public:
  explicit ConsoleStatusLine(ConsoleDesktop& desktop) : desktop_(desktop) {}
  void SetText(std::string_view text) override;

 private:
  ConsoleDesktop& desktop_;
};

// The main window as `vantrel` has it: its controls are kept in memory (the command line
// runs no message loop, so a timer never ticks), with a status line on the terminal.
class ConsoleWindow : public MemoryWindow {
 public:
  explicit ConsoleWindow(ConsoleDesktop& desktop) : statusLine_(desktop) {}

  StatusLine& statusLine() { return statusLine_; }

 private:
  ConsoleStatusLine statusLine_;
};

}  // namespace vantrel::ui
