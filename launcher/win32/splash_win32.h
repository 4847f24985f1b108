// The splash picture shown before the main window, and the program's start: the main
// window opens inside the splash's timer or click, and the program's message loop runs
// once it has ended.
#pragma once

#include "platform/win32/windows_api.h"
#include "ui/dialog_controller.h"

namespace vantrel::win32 {

// The splash's timer and how long it shows.
inline constexpr UINT_PTR kSplashTimer = 1;
inline constexpr UINT kSplashMilliseconds = 3000;

// Shows SPLASH until its timer or a mouse button, then the main window (template MAIN)
// with `mainWindow` as its controller, modally, without an owner. Returns when the main
// window has ended.
void RunSplashThenMainWindow(ui::DialogController& mainWindow);

// The program's message loop; returns the quit message's exit code.
int RunMessageLoop();

}  // namespace vantrel::win32
