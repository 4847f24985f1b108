// The generic dialog procedure: the controller rides in the dialog's user data from
// WM_INITDIALOG until WM_DESTROY, and every message it does not take goes to the
// system's default dialog handling.
#include "ui/win32/dialog.h"

namespace vantrel::ui::win32 {
namespace {

DialogHost* HostOf(HWND dialog) {
  return reinterpret_cast<DialogHost*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

}  // namespace

INT_PTR CALLBACK ControllerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* host = reinterpret_cast<DialogHost*>(lParam);
    SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
    host->window.Attach(dialog);
    host->controller.onInit(host->window);
    return TRUE;
  }
  // Messages before WM_INITDIALOG (WM_SETFONT among them) find no controller yet.
  DialogHost* host = HostOf(dialog);
  if (host == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return host->controller.onCommand(host->window, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_TIMER:
      return host->controller.onTimer(host->window, static_cast<int>(wParam)) ? TRUE : FALSE;
    case WM_DESTROY:
      host->controller.onDestroy(host->window);
      SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR RunModalDialog(const wchar_t* templateName, HWND owner, DialogController& controller) {
  DialogHost host{controller, Win32Window()};
  return DialogBoxParamW(GetModuleHandleW(nullptr), templateName, owner, ControllerDialogProc,
                         reinterpret_cast<LPARAM>(&host));
}

ModelessDialog::ModelessDialog(const wchar_t* templateName, HWND owner,
                               DialogController& controller)
    : host_(std::make_unique<DialogHost>(DialogHost{controller, Win32Window()})),
      handle_(CreateDialogParamW(GetModuleHandleW(nullptr), templateName, owner,
                                 ControllerDialogProc, reinterpret_cast<LPARAM>(host_.get()))) {}

}  // namespace vantrel::ui::win32
