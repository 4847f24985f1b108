// A recording stand-in for the windowing system: a window that holds its controls'
// texts and remembers every text a control was given, and a desktop that records each
// message box, answers questions as the test tells it, and logs the STATUS window's
// life and its bar's positions. Installed for the lifetime of a ScopedDesktop.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/window.h"

namespace vantrel::testing {

class FakeWindow : public ui::Window {
 public:
  void SetItemText(int id, std::string_view text) override;
  std::string ItemText(int id) const override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;

  // The period of each running timer.
  const std::map<int, int>& timers() const { return timers_; }
  // "start 1 60000", "stop 1": every timer call, in order.
  const std::vector<std::string>& timerLog() const { return timerLog_; }

  // Every text control `id` was given, in order.
  std::vector<std::string> History(int id) const;

 private:
  std::map<int, std::string> texts_;
  std::map<int, std::vector<std::string>> history_;
  std::map<int, int> timers_;
  std::vector<std::string> timerLog_;
};

struct ShownMessage {
  const ui::Window* owner;  // null for a box without owner
  std::string text;
  std::string title;
  ui::Icon icon;
  ui::Buttons buttons;
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
  void SetProgress(int position) override;

  // Answers for the next Yes/No questions, in order; once used up, questions get No.
  void QueueAnswer(ui::Answer answer) { answers_.push_back(answer); }
  // Runs while each message box is up, as a player would look at the screen then.
  void OnMessage(std::function<void(const ShownMessage&)> hook) { onMessage_ = std::move(hook); }

  const std::vector<ShownMessage>& messages() const { return messages_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
  const std::vector<int>& progress() const { return progress_; }
  int statusWindowsOpened() const { return statusWindowsOpened_; }
  int statusWindowsOpen() const { return statusWindowsOpen_; }

 private:
  class Status;

  std::vector<ShownMessage> messages_;
  std::deque<ui::Answer> answers_;
  std::function<void(const ShownMessage&)> onMessage_;
  std::vector<int> progress_;
  int statusWindowsOpened_ = 0;
  int statusWindowsOpen_ = 0;
  ui::Desktop* previous_;
};

}  // namespace vantrel::testing
