// The process-wide desktop, and the silent one that stands in until a program installs
// its own.
#include "ui/window.h"

namespace vantrel::ui {
namespace {

class SilentStatusWindow : public StatusWindow {
 public:
  void SetProgress(int) override {}
};

class SilentDesktop : public Desktop {
 public:
  Answer ShowMessage(Window*, std::string_view, std::string_view, Icon, Buttons buttons) override {
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  std::unique_ptr<StatusWindow> OpenStatusWindow(Window&) override {
    return std::make_unique<SilentStatusWindow>();
  }
  int RunModalDialog(std::string_view, Window*, DialogController&) override { return -1; }
};

}  // namespace

}  // namespace vantrel::ui

template <>
vantrel::ui::Desktop& vantrel::platform::Service<vantrel::ui::Desktop>::Default() {
  static ui::SilentDesktop silent;
  return silent;
}

namespace vantrel::ui {

void ShowVntlMessage(Window* owner, std::string_view text, Icon icon) {
  Ui().ShowMessage(owner, text, "VNTL", icon, Buttons::Ok);
}

}  // namespace vantrel::ui
