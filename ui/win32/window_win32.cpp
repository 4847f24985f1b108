// Control texts of a real window, converted between UTF-8 and the wide API.
#include "ui/win32/window_win32.h"

#include <commctrl.h>

#include "platform/win32/text_win32.h"

namespace vantrel::ui::win32 {

void Win32Window::SetItemText(int id, std::string_view text) {
  SetDlgItemTextW(handle_, id, platform::win32::WideText(text).c_str());
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

void Win32Window::ClearList(int id) { SendDlgItemMessageW(handle_, id, LB_RESETCONTENT, 0, 0); }

int Win32Window::AddListEntry(int id, std::string_view text) {
  // A missing control would answer 0, as if the entry had become the first.
  const HWND list = GetDlgItem(handle_, id);
  if (list == nullptr) return -1;
  const std::wstring wide = platform::win32::WideText(text);
  const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  // LB_ERR and LB_ERRSPACE are both negative.
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32Window::SelectListEntry(int id, int index) {
  SendDlgItemMessageW(handle_, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<std::string> Win32Window::SelectedListText(int id) const {
  if (GetDlgItem(handle_, id) == nullptr) return std::nullopt;
  const LRESULT index = SendDlgItemMessageW(handle_, id, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  const LRESULT length =
      SendDlgItemMessageW(handle_, id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendDlgItemMessageW(handle_, id, LB_GETTEXT, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR) return std::nullopt;
  text.resize(static_cast<std::size_t>(copied));
  return platform::win32::Narrow(text);
}

void Win32Window::SetProgressRange(int id, int lowest, int highest) {
  SendDlgItemMessageW(handle_, id, PBM_SETRANGE32, static_cast<WPARAM>(lowest),
                      static_cast<LPARAM>(highest));
}

void Win32Window::SetProgressPosition(int id, int position) {
  const HWND bar = GetDlgItem(handle_, id);
  if (bar == nullptr) return;
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(bar);
}

void Win32Window::SetTextLimit(int id, int characters) {
  SendDlgItemMessageW(handle_, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

bool Win32Window::IsChecked(int id) const { return IsDlgButtonChecked(handle_, id) == BST_CHECKED; }

void Win32Window::SetChecked(int id, bool checked) {
  CheckDlgButton(handle_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Window::EnableItem(int id, bool enabled) {
  const HWND item = GetDlgItem(handle_, id);
  if (item != nullptr) EnableWindow(item, enabled ? TRUE : FALSE);
}

void Win32Window::ShowItem(int id, bool visible) {
  const HWND item = GetDlgItem(handle_, id);
  if (item != nullptr) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

void Win32Window::EndDialog(int result) { ::EndDialog(handle_, result); }

HWND HandleOf(const Window* window) {
  const auto* real = dynamic_cast<const Win32Window*>(window);
  return real != nullptr ? real->handle() : nullptr;
}

}  // namespace vantrel::ui::win32
