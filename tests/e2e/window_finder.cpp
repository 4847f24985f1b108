// Window search and inspection across processes for the end-to-end driver.
#include "tests/e2e/window_finder.h"

#include <algorithm>

#include "platform/win32/text_win32.h"

namespace vantrel::e2e {
namespace {

using platform::win32::Narrow;

// Long enough for a busy program to answer, short enough that a hung one (a game running
// inside a button's handler) cannot stall the driver past its own time limit.
constexpr UINT kAnswerLimitMs = 2000;

BOOL CALLBACK CollectShown(HWND window, LPARAM parameter) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

std::optional<bool> CheckState(HWND control, const std::string& className) {
  if (className != "Button") return std::nullopt;
  switch (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      DWORD_PTR state = 0;
      SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs, &state);
      return state == BST_CHECKED;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

WindowName ParseWindowName(std::string_view text) {
  const auto separator = text.find("::");
  if (separator == std::string_view::npos) return {"", std::string(text)};
  return {std::string(text.substr(0, separator)), std::string(text.substr(separator + 2))};
}

std::string Describe(const WindowName& name) {
  std::string text = "window \"" + name.title + "\"";
  if (!name.className.empty()) text += " of class " + name.className;
  return text;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs,
                           &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kAnswerLimitMs, &copied)) {
    return {};
  }
  text.resize(std::min<std::size_t>(copied, length));
  return Narrow(text);
}

std::string ClassName(HWND window) {
  // Window class names are at most 256 characters long.
  std::wstring name(257, L'\0');
  name.resize(GetClassNameW(window, name.data(), static_cast<int>(name.size())));
  return Narrow(name);
}

std::vector<HWND> ShownWindows() {
  std::vector<HWND> shown;
  EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

std::vector<HWND> FindWindows(const WindowName& name) {
  std::vector<HWND> found;
  for (HWND window : ShownWindows()) {
    if (!name.className.empty() && ClassName(window) != name.className) continue;
    if (WindowText(window) == name.title) found.push_back(window);
  }
  return found;
}

std::vector<Control> Controls(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<Control> controls;
  for (HWND child : children) {
    const std::string className = ClassName(child);
    controls.push_back({child, GetDlgCtrlID(child), className, WindowText(child),
                        IsWindowVisible(child) != FALSE, IsWindowEnabled(child) != FALSE,
                        CheckState(child, className)});
  }
  return controls;
}

HWND FindControl(HWND window, int id) {
  if (HWND direct = GetDlgItem(window, id)) return direct;
  for (const Control& control : Controls(window)) {
    if (control.id == id) return control.window;
  }
  return nullptr;
}

}  // namespace vantrel::e2e
