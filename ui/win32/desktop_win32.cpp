// Message boxes, and the STATUS window as a modeless dialog from the template "STATUS".
#include "ui/win32/desktop_win32.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/text_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/status_dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {

Win32Desktop::Win32Desktop() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

Answer Win32Desktop::ShowMessage(Window* owner, std::string_view text, std::string_view title,
                                 Icon icon, Buttons buttons) {
  using platform::win32::WideText;
  const int answer = MessageBoxW(HandleOf(owner), WideText(text).c_str(), WideText(title).c_str(),
                                 MessageBoxStyle(icon, buttons));
  if (answer == IDYES) return Answer::Yes;
  if (answer == IDNO) return Answer::No;
  return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

std::unique_ptr<StatusWindow> Win32Desktop::OpenStatusWindow(Window& owner) {
  return std::make_unique<Win32StatusWindow>(HandleOf(&owner));
}

int Win32Desktop::RunModalDialog(std::string_view templateName, Window* owner,
                                 DialogController& controller) {
  const std::wstring name = platform::win32::WideText(templateName);
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
