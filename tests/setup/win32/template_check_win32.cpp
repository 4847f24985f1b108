#include "tests/setup/win32/template_check_win32.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/text_win32.h"
#include "tests/e2e/window_capture.h"
#include "tests/e2e/window_finder.h"

namespace vantrel::testing {
namespace {

// Runs the thread's pending messages, so that the dialog and its controls paint.
void Pump() {
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// $VANTREL_SCREENSHOTS, else "screenshots" beside the test program: not in the current
// folder, which a test may have moved into its temporary folder, removed as it ends.
std::string ScreenshotFolder() {
  const char* configured = std::getenv("VANTREL_SCREENSHOTS");
  if (configured != nullptr && *configured != '\0') return configured;
  std::wstring program(MAX_PATH, L'\0');
  program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
  return platform::win32::Narrow(program.substr(0, program.find_last_of(L'\\') + 1)) +
         "screenshots";
}

}  // namespace

std::vector<std::string> ControlTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (const e2e::Control& control : e2e::Controls(dialog)) {
    // A picture's "text" is the number of its bitmap resource, which no user reads.
    const bool picture = control.className == "Static" &&
                         (GetWindowLongW(control.window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
    if (!picture && !control.text.empty()) texts.push_back(control.text);
  }
  return texts;
}

bool SaveScreenshot(HWND dialog, const std::string& name) {
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  UpdateWindow(dialog);
  Pump();
  const std::optional<e2e::Screenshot> picture = e2e::CaptureWindow(dialog);
  if (!picture) return false;
  const std::string folder = ScreenshotFolder();
  CreateDirectoryW(platform::win32::Widen(folder).value_or(L"").c_str(), nullptr);
  return e2e::SaveScreenshot(*picture, folder + "\\" + name + ".png").empty();
}

}  // namespace vantrel::testing
