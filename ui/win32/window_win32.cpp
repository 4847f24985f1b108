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

bool Win32Window::IsMenuItemChecked(int id) const {
  const UINT state = GetMenuState(GetMenu(handle_), static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Win32Window::CheckMenuItem(int id, bool checked) {
  ::CheckMenuItem(GetMenu(handle_), static_cast<UINT>(id),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32Window::SetButtonImage(int id, int bitmap) {
  // A section of its own keeps the bitmap's 256 colours whatever the display's depth.
  const HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap),
                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (image == nullptr) return;
  objects_.emplace_back(static_cast<HGDIOBJ>(image));
  SendDlgItemMessageW(handle_, id, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
}

void Win32Window::SetIcon(int icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const struct {
    WPARAM which;
    int width, height;
  } sizes[] = {{ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)},
               {ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}};
  for (const auto& size : sizes) {
    const HANDLE loaded = LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, size.width,
                                     size.height, 0);
    if (loaded == nullptr) continue;
    icons_.emplace_back(static_cast<HICON>(loaded));
    SendMessageW(handle_, WM_SETICON, size.which, reinterpret_cast<LPARAM>(loaded));
  }
}

void Win32Window::AddTooltip(int id, std::string_view text, int toolId) {
  const HWND control = GetDlgItem(handle_, id);
  if (control == nullptr) return;
  // The tooltip is owned by the control's window and goes with it.
  const HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tooltip == nullptr) return;
  SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::wstring wide = platform::win32::WideText(text);
  TOOLINFOW tool{};
  // The size every version of the common controls accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = static_cast<UINT_PTR>(toolId);
  tool.hinst = GetModuleHandleW(nullptr);
  tool.lpszText = wide.data();
  GetClientRect(control, &tool.rect);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::ShowAsLink(int id, Colour colour) {
  const HWND control = GetDlgItem(handle_, id);
  if (control == nullptr) return;
  if (!linkFont_.valid()) {
    // One underlined copy of the controls' font serves every link.
    LOGFONTW font{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (current == nullptr ||
        GetObjectW(current, sizeof(font), &font) == 0) {
      GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    font.lfUnderline = TRUE;
    linkFont_.reset(CreateFontIndirectW(&font));
  }
  links_[id] = RGB(colour.red, colour.green, colour.blue);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), TRUE);
}

std::optional<INT_PTR> Win32Window::StaticColours(HDC context, HWND control) const {
  if (links_.empty()) return std::nullopt;
  const auto link = links_.find(GetDlgCtrlID(control));
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, link == links_.end() ? RGB(0, 0, 0) : link->second);
  return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
}

void Win32Window::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

void Win32Window::PostCommand(int id) {
  PostMessageW(handle_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Win32Window::BringToFront() {
  if (IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
  SetForegroundWindow(handle_);
}

HWND HandleOf(const Window* window) {
  const auto* real = dynamic_cast<const Win32Window*>(window);
  return real != nullptr ? real->handle() : nullptr;
}

}  // namespace vantrel::ui::win32
