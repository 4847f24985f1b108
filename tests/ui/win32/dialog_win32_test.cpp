// The generic dialog procedure hands a controller its dialog's messages, with a view of
// the dialog, from WM_INITDIALOG to WM_DESTROY.
#include <vector>

#include "tests/ui/win32/win32_ui_test.h"
#include "ui/win32/dialog.h"

namespace vantrel::ui::win32 {
namespace {

using DialogTest = Win32UiTest;

class RecordingController : public DialogController {
 public:
  void onInit(Window& window) override {
    ++inits;
    dialog = HandleOf(&window);
    window.SetItemText(1065, "set at init");
    if (endAtInit) EndDialog(dialog, 42);
  }
  bool onCommand(Window&, int id) override {
    commands.push_back(id);
    return id == 1052;
  }
  bool onTimer(Window&, int id) override {
    timers.push_back(id);
    return true;
  }
  void onDestroy(Window&) override { ++destroys; }

  bool endAtInit = false;
  int inits = 0;
  int destroys = 0;
  HWND dialog = nullptr;
  std::vector<int> commands;
  std::vector<int> timers;
};

TEST_F(DialogTest, ForwardsInitCommandsTimersAndDestroy) {
  RecordingController controller;
  {
    ModelessDialog dialog(L"STATUS", owner, controller);
    ASSERT_NE(dialog.handle(), nullptr);
    EXPECT_EQ(controller.inits, 1);
    EXPECT_EQ(controller.dialog, dialog.handle());
    wchar_t text[32] = {};
    GetDlgItemTextW(dialog.handle(), 1065, text, 32);
    EXPECT_STREQ(text, L"set at init");

    SendMessageW(dialog.handle(), WM_COMMAND, MAKEWPARAM(1052, BN_CLICKED), 0);
    SendMessageW(dialog.handle(), WM_COMMAND, MAKEWPARAM(2001, 0), 0);
    SendMessageW(dialog.handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(controller.commands, (std::vector<int>{1052, 2001}));
    EXPECT_EQ(controller.timers, (std::vector<int>{1}));
    EXPECT_EQ(controller.destroys, 0);
  }
  EXPECT_EQ(controller.destroys, 1);
}

TEST_F(DialogTest, AModalDialogReturnsWhatItWasEndedWith) {
  RecordingController controller;
  controller.endAtInit = true;
  EXPECT_EQ(RunModalDialog(L"STATUS", owner, controller), 42);
  EXPECT_EQ(controller.inits, 1);
  EXPECT_EQ(controller.destroys, 1);
}

TEST(Dialog, AMissingTemplateMakesNoDialog) {
  RecordingController controller;
  EXPECT_EQ(RunModalDialog(L"NO_SUCH_TEMPLATE", nullptr, controller), -1);
  EXPECT_EQ(controller.inits, 0);
}

}  // namespace
}  // namespace vantrel::ui::win32
