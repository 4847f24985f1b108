// Finding the running launcher's marked main window and handing it a package's path in a
// WM_COPYDATA message, and the running side's reading of that message.
#include "launcher/win32/hand_over_win32.h"

#include <thread>

#include "platform/win32/text_win32.h"
#include "ui/win32/dialog.h"

namespace vantrel::win32 {
namespace {

// The window property that marks the launcher's main window.
constexpr const wchar_t* kMainWindowMark = L"Vantrel.Launcher.MainWindow";

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
  if (GetPropW(window, kMainWindowMark) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindMarkedWindow() {
  HWND found = nullptr;
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

std::string PackageNotLoadedMessage(std::string_view package) {
  return "The battle package\n" + std::string(package) +
         "\nwas not loaded because a game is running. Open it again when the game has "
         "ended.";
}

void MarkRunningLauncher(HWND mainWindow) {
  // Any non-null value marks it.
  SetPropW(mainWindow, kMainWindowMark, reinterpret_cast<HANDLE>(1));
}

void UnmarkRunningLauncher(HWND mainWindow) { RemovePropW(mainWindow, kMainWindowMark); }

HWND FindRunningLauncher(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (const HWND found = FindMarkedWindow()) return found;
    if (std::chrono::steady_clock::now() >= deadline) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

HandOverResult HandPackageTo(HWND mainWindow, std::string_view package,
                             std::chrono::milliseconds wait) {
  // The player started this process, so it may let the running launcher come forward.
  DWORD process = 0;
  GetWindowThreadProcessId(mainWindow, &process);
  AllowSetForegroundWindow(process);

  COPYDATASTRUCT data{};
  data.dwData = ui::win32::kHandOverTag;
  data.cbData = static_cast<DWORD>(package.size());
  data.lpData = const_cast<char*>(package.data());
  DWORD_PTR answer = FALSE;
  const LRESULT sent =
      SendMessageTimeoutW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                          SMTO_BLOCK, static_cast<UINT>(wait.count()), &answer);
  return sent != 0 && answer == TRUE ? HandOverResult::Taken : HandOverResult::NotTaken;
}

void RunAsSecondLauncher(const std::optional<std::string>& package) {
  const HWND running = FindRunningLauncher(package ? kHandOverWait : std::chrono::milliseconds(0));
  if (!package) {
    if (running != nullptr) {
      if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
      SetForegroundWindow(running);
    }
    return;
  }
  if (running != nullptr &&
      HandPackageTo(running, *package, kHandOverWait) == HandOverResult::Taken) {
    return;
  }
  const std::wstring text =
      platform::win32::Widen(PackageNotLoadedMessage(*package)).value_or(std::wstring());
  MessageBoxW(nullptr, text.c_str(), L"VNTL", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vantrel::win32
