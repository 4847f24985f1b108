#include "launcher/win32/splash_win32.h"

#include "resources/launcher_ids.h"
#include "ui/win32/dialog.h"

namespace vantrel::win32 {
namespace {

struct SplashState {
  ui::DialogController& mainWindow;
  bool mainOpened = false;
};

// The picture sizes itself to the bitmap; the splash follows it, so the picture is
// whole whatever the system font makes of the template's units.
void FitToPicture(HWND splash) {
  RECT picture{};
  GetWindowRect(GetDlgItem(splash, IDC_SPLASH_PICTURE), &picture);
  const int width = picture.right - picture.left;
  const int height = picture.bottom - picture.top;
  if (width <= 0 || height <= 0) return;
  SetWindowPos(splash, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK SplashDialogProc(HWND splash, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(splash, GWLP_USERDATA, lParam);
    FitToPicture(splash);
    SetTimer(splash, kSplashTimer, kSplashMilliseconds, nullptr);
    return TRUE;
  }
  auto* state = reinterpret_cast<SplashState*>(GetWindowLongPtrW(splash, GWLP_USERDATA));
  if (state == nullptr) return FALSE;
  switch (message) {
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // A click while the main window is up (it runs inside this handler) finds the
      // splash ended already.
      if (state->mainOpened) return TRUE;
      state->mainOpened = true;
      EndDialog(splash, 0);
      KillTimer(splash, kSplashTimer);
      ui::win32::RunModalDialog(L"MAIN", nullptr, state->mainWindow);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunSplashThenMainWindow(ui::DialogController& mainWindow) {
  SplashState state{mainWindow};
  DialogBoxParamW(GetModuleHandleW(nullptr), L"SPLASH", nullptr, SplashDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  // Without a splash (its template missing) the main window still opens.
  if (!state.mainOpened) ui::win32::RunModalDialog(L"MAIN", nullptr, mainWindow);
}

int RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace vantrel::win32
