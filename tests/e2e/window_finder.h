// Finding the windows of another program for the end-to-end driver: top-level windows by
// title and class, their controls by id, their texts and states, and polling for them
// until a time limit, since the program under test runs at its own pace.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vantrel::e2e {

// A top-level window as a test names it: "TITLE", or "CLASS::TITLE" to ask for a window
// class as well ("#32770::VNTL" is a dialog or message box titled VNTL).
struct WindowName {
  std::string className;  // empty: any class
  std::string title;
};

WindowName ParseWindowName(std::string_view text);
std::string Describe(const WindowName& name);

// The text of any window, also of another program's edit field (WM_GETTEXT is carried
// across processes, GetWindowText is not); empty when the window does not answer.
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// The shown top-level windows, front-most first; and those of them with that name.
std::vector<HWND> ShownWindows();
std::vector<HWND> FindWindows(const WindowName& name);

// One control of a window, as `controls` lists it.
struct Control {
  HWND window;
  int id;
  std::string className;
  std::string text;
  bool visible;
  bool enabled;
  std::optional<bool> checked;  // check boxes and radio buttons only
};

// Every control inside the window, children before grandchildren, in the window's order.
std::vector<Control> Controls(HWND window);

// The control with that id anywhere inside the window, or null.
HWND FindControl(HWND window, int id);

// Calls `attempt` every 50 ms until it returns a value or the limit has passed; the last
// attempt is made after the limit, so a slow machine never loses the final look.
template <class Attempt>
auto Poll(std::chrono::milliseconds limit, Attempt attempt) -> decltype(attempt()) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const bool last = std::chrono::steady_clock::now() >= deadline;
    if (auto found = attempt()) return found;
    if (last) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace vantrel::e2e
