#include "tests/fakes/fake_ui.h"

namespace vantrel::testing {
namespace {

// The first `limit` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, int limit) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == limit) return text.substr(0, i);
  }
  return text;
}

}  // namespace

void FakeWindow::SetItemText(int id, std::string_view text) {
  MemoryWindow::SetItemText(id, text);
  history_[id].emplace_back(text);
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

void FakeWindow::Open(ui::DialogController& controller) {
  controller_ = &controller;
  controller.onInit(*this);
  DestroyIfEnded();
}

bool FakeWindow::Press(int id) {
  if (!Accepts(id)) return false;
  controller_->onCommand(*this, id);
  DestroyIfEnded();
  return true;
}

bool FakeWindow::Type(int id, std::string_view text) {
  if (!Accepts(id)) return false;
  const std::optional<int> limit = TextLimit(id);
  SetItemText(id, limit ? FirstCharacters(text, *limit) : text);
  return true;
}

bool FakeWindow::ClickCheckBox(int id) {
  if (!Accepts(id)) return false;
  SetChecked(id, !IsChecked(id));
  return Press(id);
}

bool FakeWindow::ChooseEntry(int id, int index) {
  if (!Accepts(id)) return false;
  SelectListEntry(id, index);
  return Press(id);
}

bool FakeWindow::Accepts(int id) const {
  return controller_ != nullptr && !endedWith() && IsEnabled(id);
}

void FakeWindow::DestroyIfEnded() {
  if (!endedWith() || destroyed_) return;
  destroyed_ = true;
  controller_->onDestroy(*this);
}

class FakeDesktop::Status : public ui::StatusWindow {
 public:
  explicit Status(FakeDesktop& desktop) : desktop_(desktop) { ++desktop_.statusWindowsOpen_; }
  ~Status() override { --desktop_.statusWindowsOpen_; }
  void SetProgress(int position) override { desktop_.progress_.push_back(position); }

 private:
  FakeDesktop& desktop_;
};

FakeDesktop::FakeDesktop() : installed_(*this) {}

FakeDesktop::~FakeDesktop() = default;

ui::Answer FakeDesktop::ShowMessage(ui::Window* owner, std::string_view text,
                                    std::string_view title, ui::Icon icon, ui::Buttons buttons) {
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

int FakeDesktop::RunModalDialog(std::string_view templateName, ui::Window* owner,
                                ui::DialogController& controller) {
  // The record is made first and found again by its window, since a script may open
  // further dialogs and add records of its own.
  auto window = std::make_unique<FakeWindow>();
  FakeWindow& dialog = *window;
  dialogs_.push_back({std::string(templateName), owner, std::move(window), std::nullopt});
  const std::size_t record = dialogs_.size() - 1;

  dialog.Open(controller);
  if (!dialog.endedWith() && !scripts_.empty()) {
    const std::function<void(FakeWindow&)> script = std::move(scripts_.front());
    scripts_.pop_front();
    script(dialog);
  }
  dialogs_[record].result = dialog.endedWith();
  return dialog.endedWith().value_or(-1);
}

void FakeDesktop::ShellOpen(ui::Window* owner, std::string_view target) {
  shellOpened_.emplace_back(target);
  shellOwners_.push_back(owner);
}

namespace {

std::string NextAnswer(std::deque<std::string>& answers) {
  if (answers.empty()) return {};
  std::string answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

std::string FakeDesktop::ChooseBattleFile(ui::Window&, std::string_view initialFolder) {
  chooserFolders_.emplace_back(initialFolder);
  return NextAnswer(chosenFiles_);
}

std::string FakeDesktop::BrowseForFolder(ui::Window&, std::string_view initialFolder) {
  browserFolders_.emplace_back(initialFolder);
  return NextAnswer(browsedFolders_);
}

std::vector<std::string> FakeDesktop::MessageTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : messages_) texts.push_back(message.text);
  return texts;
}

}  // namespace vantrel::testing
