// The STATUS window's procedure.
#include "ui/win32/status_dialog.h"

#include <commctrl.h>

#include "resources/launcher_ids.h"

namespace vantrel::ui::win32 {

HWND progressBar = nullptr;

INT_PTR CALLBACK StatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      progressBar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
      SendMessageW(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
      return TRUE;
    case WM_COMMAND:
      return LOWORD(wParam) == IDC_PROGRESS_BAR ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

}  // namespace vantrel::ui::win32
