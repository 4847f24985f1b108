// What the subsystems need of the windowing system: a window's controls by id, modal
// message boxes, and the small STATUS progress window shown while missions are
// deciphered. The launcher has real windows behind this (ui/win32), `vantrel` prints to
// the terminal (ui/console), and tests hold the controls' state in a recording fake.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vantrel::ui {

enum class Icon { None, Exclamation, Question, Information };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// A window of the launcher as the subsystems see it.
class Window {
 public:
  virtual ~Window() = default;
  virtual void SetItemText(int id, std::string_view text) = 0;
  virtual std::string ItemText(int id) const = 0;
  // A timer of the window: its ticks reach the window's owner whenever a message loop
  // runs on the launcher's thread (never while a game is being waited for).
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
};

// The modeless STATUS window; destroying the object closes it.
class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box owned by `owner`, or by no window when it is null.
  virtual Answer ShowMessage(Window* owner, std::string_view text, std::string_view title,
                             Icon icon, Buttons buttons) = 0;

  // Creates and shows the STATUS window owned by `owner`, its bar at 0 of 0 to 100. The
  // newest STATUS window's bar is the one SetProgress moves.
  virtual std::unique_ptr<StatusWindow> OpenStatusWindow(Window& owner) = 0;
  virtual void SetProgress(int position) = 0;
};

// The desktop of this process. Programs install theirs at start; until then message
// boxes go nowhere and are answered No (or OK).
Desktop& Ui();

// Installs `desktop` (the caller keeps ownership) and returns the one it replaced.
Desktop* UseDesktop(Desktop* desktop);

// Shortcut for the launcher's usual box: title "VNTL", an OK button.
void ShowVntlMessage(Window* owner, std::string_view text, Icon icon = Icon::None);

}  // namespace vantrel::ui
