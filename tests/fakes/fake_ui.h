// A recording stand-in for the windowing system: a window that holds its controls' state
// in memory, remembers every text a control was given, and lets a test play the player
// (type, tick a box, choose an entry, press a button) against a dialog's controller; and
// a desktop that records each message box, answers questions as the test tells it, logs
// the STATUS window's life and its bar's positions, and opens modal dialogs as fake
// windows that test-supplied scripts drive. Installed for the lifetime of a FakeDesktop.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog_controller.h"
#include "ui/memory_window.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel::testing {

class FakeWindow : public ui::MemoryWindow {
 public:
  void SetItemText(int id, std::string_view text) override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;

  // The period of each running timer.
  const std::map<int, int>& timers() const { return timers_; }
  // "start 1 60000", "stop 1": every timer call, in order.
  const std::vector<std::string>& timerLog() const { return timerLog_; }

  // Every text control `id` was given, in order.
  std::vector<std::string> History(int id) const;

  // The player's side. Open makes this window the dialog of `controller` and initialises
  // it. The others act only on an open dialog that has not ended and on an enabled
  // control, and then say true: Press sends the command `id` as a click on a button
  // does; Type replaces an edit field's text with `text`, cut to the field's limit in
  // characters; ClickCheckBox turns a check box over and sends its command; ChooseEntry
  // selects an entry of a list and sends the list's command, as its notification does.
  // When a command ends the dialog, the controller's onDestroy follows it.
  void Open(ui::DialogController& controller);
  bool Press(int id);
  bool Type(int id, std::string_view text);
  bool ClickCheckBox(int id);
  bool ChooseEntry(int id, int index);

  // Whether the dialog has gone away after being ended.
  bool destroyed() const { return destroyed_; }

 private:
  bool Accepts(int id) const;
  void DestroyIfEnded();

  std::map<int, std::vector<std::string>> history_;
  std::map<int, int> timers_;
  std::vector<std::string> timerLog_;
  ui::DialogController* controller_ = nullptr;
  bool destroyed_ = false;
};

// A status line that remembers every text it was given.
class FakeStatusLine : public ui::StatusLine {
 public:
  void SetText(std::string_view text) override { history_.emplace_back(text); }
  // The last text; empty before the first.
  std::string text() const { return history_.empty() ? std::string() : history_.back(); }
  const std::vector<std::string>& History() const { return history_; }

 private:
  std::vector<std::string> history_;
};

struct ShownMessage {
  const ui::Window* owner;  // null for a box without owner
  std::string text;
  std::string title;
  ui::Icon icon;
  ui::Buttons buttons;
};

// One modal dialog the desktop opened. The window stays for the test to look at after
// the dialog has closed.
struct OpenedDialog {
  std::string templateName;
  const ui::Window* owner;
  std::unique_ptr<FakeWindow> window;
  // What the dialog was ended with; empty when its script left it open.
  std::optional<int> result;
};

class FakeDesktop : public ui::Desktop {
 public:
  FakeDesktop();
  ~FakeDesktop() override;
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  ui::Answer ShowMessage(ui::Window* owner, std::string_view text, std::string_view title,
                         ui::Icon icon, ui::Buttons buttons) override;
  std::unique_ptr<ui::StatusWindow> OpenStatusWindow(ui::Window& owner) override;
  // Opens a FakeWindow for the controller and runs the next queued script on it while
  // it is up. A dialog still open when its script returns (or without a script) could
  // never be closed in a real run; the call then returns -1 and the record's result
  // stays empty.
  int RunModalDialog(std::string_view templateName, ui::Window* owner,
                     ui::DialogController& controller) override;

  // Answers for the next Yes/No questions, in order; once used up, questions get No.
  void QueueAnswer(ui::Answer answer) { answers_.push_back(answer); }
  // Runs while each message box is up, as a player would look at the screen then.
  void OnMessage(std::function<void(const ShownMessage&)> hook) { onMessage_ = std::move(hook); }
  // What the player does in the next modal dialogs, one script per dialog, in order.
  void QueueDialogScript(std::function<void(FakeWindow&)> script) {
    scripts_.push_back(std::move(script));
  }

  const std::vector<ShownMessage>& messages() const { return messages_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
  const std::vector<int>& progress() const { return progress_; }
  int statusWindowsOpened() const { return statusWindowsOpened_; }
  int statusWindowsOpen() const { return statusWindowsOpen_; }
  const std::deque<OpenedDialog>& dialogs() const { return dialogs_; }

 private:
  class Status;

  std::vector<ShownMessage> messages_;
  std::deque<ui::Answer> answers_;
  std::function<void(const ShownMessage&)> onMessage_;
  std::deque<std::function<void(FakeWindow&)>> scripts_;
  std::deque<OpenedDialog> dialogs_;
  std::vector<int> progress_;
  int statusWindowsOpened_ = 0;
  int statusWindowsOpen_ = 0;
  platform::ScopedService<ui::Desktop> installed_;
};

}  // namespace vantrel::testing
