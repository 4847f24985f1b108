// One dialog procedure for every window of the launcher. A window's behaviour lives in a
// controller that knows nothing of Windows; the procedure stores the controller at
// WM_INITDIALOG and hands it the messages it handles, with a view of the dialog's
// controls. Tests drive the same controllers through a fake view.
#pragma once

#include <memory>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "ui/dialog_controller.h"
#include "ui/win32/window_win32.h"
#include "ui/window.h"

namespace vantrel::ui::win32 {

// What the procedure keeps for one dialog: its controller and the view over its handle.
struct DialogHost {
  DialogController& controller;
  Win32Window window;
};

// The procedure itself; the LPARAM of the creating call must be a DialogHost*.
INT_PTR CALLBACK ControllerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the template `templateName` of the program's resources as a modal dialog owned
// by `owner`. Returns the value the dialog was ended with, or -1 if it could not be made.
INT_PTR RunModalDialog(const wchar_t* templateName, HWND owner, DialogController& controller);

// A modeless dialog, destroyed with this object.
class ModelessDialog {
 public:
  ModelessDialog(const wchar_t* templateName, HWND owner, DialogController& controller);
  ModelessDialog(const ModelessDialog&) = delete;
  ModelessDialog& operator=(const ModelessDialog&) = delete;

  // Null when the dialog could not be made.
  HWND handle() const { return handle_.get(); }

 private:
  std::unique_ptr<DialogHost> host_;
  platform::win32::WindowHandle handle_;
};

}  // namespace vantrel::ui::win32
