// Message boxes, and the STATUS window as a modeless dialog from the template "STATUS".
#include "ui/win32/desktop_win32.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/text_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/status_dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

class Win32StatusWindow : public StatusWindow {
 public:
  explicit Win32StatusWindow(HWND handle) : handle_(handle) {}
  ~Win32StatusWindow() override {
    if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
  }
  Win32StatusWindow(const Win32StatusWindow&) = delete;
  Win32StatusWindow& operator=(const Win32StatusWindow&) = delete;

 private:
  HWND handle_;
};

std::wstring Wide(std::string_view text) {
  return platform::win32::Widen(text).value_or(std::wstring());
}

}  // namespace

Win32Desktop::Win32Desktop() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

Answer Win32Desktop::ShowMessage(Window* owner, std::string_view text, std::string_view title,
                                 Icon icon, Buttons buttons) {
  const int answer = MessageBoxW(HandleOf(owner), Wide(text).c_str(), Wide(title).c_str(),
                                 MessageBoxStyle(icon, buttons));
  if (answer == IDYES) return Answer::Yes;
  if (answer == IDNO) return Answer::No;
  return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

std::unique_ptr<StatusWindow> Win32Desktop::OpenStatusWindow(Window& owner) {
  const HWND status = CreateDialogParamW(GetModuleHandleW(nullptr), L"STATUS", HandleOf(&owner),
                                         StatusDialogProc, 0);
  if (status != nullptr) {
    ShowWindow(status, SW_SHOW);
    // No message loop runs while the window is up; it is painted now.
    UpdateWindow(status);
  }
  return std::make_unique<Win32StatusWindow>(status);
}

void Win32Desktop::SetProgress(int position) {
  if (progressBar == nullptr) return;
  SendMessageW(progressBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(progressBar);
}

int Win32Desktop::RunModalDialog(std::string_view templateName, Window* owner,
                                 DialogController& controller) {
  const std::wstring name = Wide(templateName);
  if (name.empty()) return -1;
  return static_cast<int>(win32::RunModalDialog(name.c_str(), HandleOf(owner), controller));
}

UINT MessageBoxStyle(Icon icon, Buttons buttons) {
  UINT style = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case Icon::None:
      break;
    case Icon::Exclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case Icon::Question:
      style |= MB_ICONQUESTION;
      break;
    case Icon::Information:
      style |= MB_ICONINFORMATION;
      break;
  }
  return style;
}

}  // namespace vantrel::ui::win32
