// A second start of the launcher while one runs: it shows no window of its own, and
// hands the package it was given (a ".kzm" file opened in the shell) to the running
// launcher's main window, which loads it. The running launcher marks its main window so
// that the second start finds it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

// How long the second start waits for the running launcher: for its main window to
// appear (it may still show the splash) and for an answer to the hand-over. A launcher
// that waits for a game runs no message loop and does not answer in that time.
inline constexpr std::chrono::milliseconds kHandOverWait{5000};

// The message box of a second start whose package could not be handed over.
std::string PackageNotLoadedMessage(std::string_view package);

// Marks and unmarks `mainWindow` as the running launcher's main window.
void MarkRunningLauncher(HWND mainWindow);
void UnmarkRunningLauncher(HWND mainWindow);

// The marked main window of a running launcher, waiting up to `wait` for it to appear;
// null when none appears.
HWND FindRunningLauncher(std::chrono::milliseconds wait);

enum class HandOverResult {
  Taken,     // the launcher will load the package
  NotTaken,  // it refused, or did not answer within the time
};

// Hands `package` to the launcher's main window, allowing it to come to the front.
HandOverResult HandPackageTo(HWND mainWindow, std::string_view package,
                             std::chrono::milliseconds wait);

// The whole of a second start: with a package, hand it over or tell the player it was
// not loaded; without one, only bring the running launcher to the front.
void RunAsSecondLauncher(const std::optional<std::string>& package);

}  // namespace vantrel::win32
