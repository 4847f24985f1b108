// The STATUS window's controller and the window itself.
#include "ui/win32/status_dialog.h"

#include "resources/launcher_ids.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {

void StatusDialog::onInit(Window& dialog) { dialog.SetProgressRange(IDC_PROGRESS_BAR, 0, 100); }

bool StatusDialog::onCommand(Window&, int id) { return id == IDC_PROGRESS_BAR; }

Win32StatusWindow::Win32StatusWindow(HWND owner) : dialog_(L"STATUS", owner, controller_) {
  if (handle() == nullptr) return;
  ShowWindow(handle(), SW_SHOW);
  UpdateWindow(handle());
}

void Win32StatusWindow::SetProgress(int position) {
  Win32Window(handle()).SetProgressPosition(IDC_PROGRESS_BAR, position);
}

}  // namespace vantrel::ui::win32
