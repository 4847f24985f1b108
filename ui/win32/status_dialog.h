// The STATUS progress window shown while missions are deciphered: a small captionless
// popup with one smooth progress bar (control 1065) running from 0 to 100.
#pragma once

#include "platform/win32/windows_api.h"

namespace vantrel::ui::win32 {

// The bar of the newest STATUS window: set when such a window is made, never cleared.
// Progress positions are sent to it directly, since no message loop runs while missions
// are deciphered.
extern HWND progressBar;

// Keeps the new window's bar in `progressBar` and gives it the range 0 to 100; reports
// commands from the bar as handled, and handles nothing else.
INT_PTR CALLBACK StatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vantrel::ui::win32
