#include "tests/fakes/fake_ui.h"

namespace vantrel::testing {

void FakeWindow::SetItemText(int id, std::string_view text) {
  texts_[id] = std::string(text);
  history_[id].emplace_back(text);
}

std::string FakeWindow::ItemText(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

std::vector<std::string> FakeWindow::History(int id) const {
  const auto found = history_.find(id);
  return found == history_.end() ? std::vector<std::string>() : found->second;
}

void FakeWindow::StartTimer(int id, int milliseconds) {
  timers_[id] = milliseconds;
  timerLog_.push_back("start " + std::to_string(id) + " " + std::to_string(milliseconds));
}

void FakeWindow::StopTimer(int id) {
  timers_.erase(id);
  timerLog_.push_back("stop " + std::to_string(id));
}

class FakeDesktop::Status : public ui::StatusWindow {
 public:
  explicit Status(FakeDesktop& desktop) : desktop_(desktop) { ++desktop_.statusWindowsOpen_; }
  ~Status() override { --desktop_.statusWindowsOpen_; }

 private:
  FakeDesktop& desktop_;
};

FakeDesktop::FakeDesktop() : previous_(ui::UseDesktop(this)) {}

FakeDesktop::~FakeDesktop() { ui::UseDesktop(previous_); }

ui::Answer FakeDesktop::ShowMessage(ui::Window* owner, std::string_view text, std::string_view title,
                                    ui::Icon icon, ui::Buttons buttons) {
  messages_.push_back({owner, std::string(text), std::string(title), icon, buttons});
  if (onMessage_) onMessage_(messages_.back());
  if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
  if (answers_.empty()) return ui::Answer::No;
  const ui::Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::unique_ptr<ui::StatusWindow> FakeDesktop::OpenStatusWindow(ui::Window&) {
  ++statusWindowsOpened_;
  return std::make_unique<Status>(*this);
}

void FakeDesktop::SetProgress(int position) { progress_.push_back(position); }

std::vector<std::string> FakeDesktop::MessageTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : messages_) texts.push_back(message.text);
  return texts;
}

}  // namespace vantrel::testing
