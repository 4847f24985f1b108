// Control texts of a real window, converted between UTF-8 and the wide API.
#include "ui/win32/window_win32.h"

#include "platform/win32/text_win32.h"

namespace vantrel::ui::win32 {

void Win32Window::SetItemText(int id, std::string_view text) {
  // The system's texts are UTF-8 throughout; should one not be, the control is emptied
  // rather than shown some other text.
  const std::wstring wide = platform::win32::Widen(text).value_or(std::wstring());
  SetDlgItemTextW(handle_, id, wide.c_str());
}

std::string Win32Window::ItemText(int id) const {
  const HWND item = GetDlgItem(handle_, id);
  if (item == nullptr) return {};
  const int length = GetWindowTextLengthW(item);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = GetDlgItemTextW(handle_, id, text.data(), length + 1);
  text.resize(copied);
  return platform::win32::Narrow(text);
}

void Win32Window::StartTimer(int id, int milliseconds) {
  SetTimer(handle_, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Window::StopTimer(int id) { KillTimer(handle_, static_cast<UINT_PTR>(id)); }

HWND HandleOf(const Window* window) {
  const auto* real = dynamic_cast<const Win32Window*>(window);
  return real != nullptr ? real->handle() : nullptr;
}

}  // namespace vantrel::ui::win32
