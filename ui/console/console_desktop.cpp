// Message boxes, the status line and the progress bar as terminal output.
#include "ui/console/console_desktop.h"

#include <algorithm>

#include "platform/path.h"

namespace vantrel::ui {
namespace {

constexpr int kBarCells = 30;

}  // namespace

// The STATUS window on a terminal: while one is open, progress is drawn; closing the
// last one wipes the bar off its line.
class ConsoleDesktop::Bar : public StatusWindow {
 public:
  explicit Bar(ConsoleDesktop& desktop) : desktop_(desktop) { ++desktop_.openBars_; }
  ~Bar() override {
    if (--desktop_.openBars_ == 0) desktop_.EraseBar();
  }
  Bar(const Bar&) = delete;
  Bar& operator=(const Bar&) = delete;

  void SetProgress(int position) override {
    if (desktop_.options_.progressBar) desktop_.DrawBar(std::clamp(position, 0, 100));
  }

 private:
  ConsoleDesktop& desktop_;
};

ConsoleDesktop::ConsoleDesktop(ConsoleOptions options, std::FILE* output)
    : options_(options), output_(output) {}

std::string DescribeForConsole(const platform::Failure& failure) {
  platform::Failure shown = failure;
  shown.path = platform::WithNativeSeparators(failure.path);
  return shown.Describe();
}

Answer ConsoleDesktop::ShowMessage(Window*, std::string_view text, std::string_view title,
                                   Icon icon, Buttons buttons) {
  // The launcher's messages may hold its paths, which are written with backslashes.
  std::string line(title);
  line += ": ";
  line += platform::WithNativeSeparators(text);
  PrintLine(line);
  // Every message with only an OK button that is not plain information tells of a
  // failure (most of the launcher's show no icon at all). Its cause is told once: a
  // later message of the same operation does not repeat it.
  const std::optional<platform::Failure>& cause = platform::LastFailure();
  if (buttons == Buttons::Ok && icon != Icon::Information && cause) {
    PrintLine("  " + DescribeForConsole(*cause));
    platform::ClearLastFailure();
  }
  if (buttons == Buttons::Ok) return Answer::Ok;
  return options_.assumeYes ? Answer::Yes : Answer::No;
}

std::unique_ptr<StatusWindow> ConsoleDesktop::OpenStatusWindow(Window&) {
  return std::make_unique<Bar>(*this);
}

void ConsoleDesktop::PrintLine(std::string_view text) {
  // A bar being drawn is left where it stands, finished by the line break; the next
  // position draws it again below.
  if (drawnWidth_ > 0) std::fputc('\n', output_);
  drawnWidth_ = 0;
  std::fwrite(text.data(), 1, text.size(), output_);
  std::fputc('\n', output_);
  std::fflush(output_);
}

void ConsoleDesktop::DrawBar(int position) {
  const int filled = position * kBarCells / 100;
  std::string line = "\r[";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(kBarCells - filled), '.');
  line += "] ";
  const std::string percent = std::to_string(position);
  line.append(3 - percent.size(), ' ');
  line += percent;
  line += '%';
  std::fwrite(line.data(), 1, line.size(), output_);
  std::fflush(output_);
  drawnWidth_ = line.size() - 1;
}

void ConsoleDesktop::EraseBar() {
  if (drawnWidth_ == 0) return;
  std::string line = "\r";
  line.append(drawnWidth_, ' ');
  line += '\r';
  std::fwrite(line.data(), 1, line.size(), output_);
  std::fflush(output_);
  drawnWidth_ = 0;
}

int ConsoleDesktop::RunModalDialog(std::string_view, Window*, DialogController&) {
  return kDialogCancelled;
}

void ConsoleStatusLine::SetText(std::string_view text) {
  if (desktop_.options().verbose) desktop_.PrintLine("Status: " + std::string(text));
}

}  // namespace vantrel::ui
