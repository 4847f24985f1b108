// Message boxes, and the STATUS window as a modeless dialog from the template "STATUS".
#include "ui/win32/desktop_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/text_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/status_dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {

Win32Desktop::Win32Desktop() {
  // Every classic common-control class: the progress bar of STATUS and the tooltips.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
}

void Win32Desktop::ShellOpen(Window* owner, std::string_view target) {
  ShellExecuteW(HandleOf(owner), L"open", platform::win32::WideText(target).c_str(), nullptr,
                nullptr, SW_SHOWNORMAL);
}

std::string Win32Desktop::ChooseBattleFile(Window& owner, std::string_view initialFolder) {
  // The filter is pairs of texts ending in an empty one; the literal's own NUL ends it.
  static const wchar_t kFilter[] = L"KZ Mission Files (*.kzm)\0*.kzm\0";
  std::wstring file(MAX_PATH, L'\0');
  const std::wstring folder = platform::win32::WideText(initialFolder);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = HandleOf(&owner);
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 0;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = L"Select Mission File To Open";
  dialog.lpstrDefExt = L"kzm";
  dialog.Flags = OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return {};
  file.resize(file.find(L'\0'));
  return platform::win32::Narrow(file);
}

namespace {

// Selects the initial folder once the browser is ready.
int CALLBACK BrowserCallback(HWND browser, UINT message, LPARAM, LPARAM initialFolder) {
  if (message == BFFM_INITIALIZED && initialFolder != 0) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, initialFolder);
  }
  return 0;
}

struct ItemListDeleter {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

std::string Win32Desktop::BrowseForFolder(Window& owner, std::string_view initialFolder) {
  const std::wstring folder = platform::win32::WideText(initialFolder);
  BROWSEINFOW browse{};
  browse.hwndOwner = HandleOf(&owner);
  browse.pidlRoot = nullptr;  // the desktop
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = BrowserCallback;
  browse.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
  const std::unique_ptr<ITEMIDLIST, ItemListDeleter> chosen(SHBrowseForFolderW(&browse));
  if (!chosen) return {};
  std::wstring path(MAX_PATH, L'\0');
  if (!SHGetPathFromIDListW(chosen.get(), path.data())) return {};
  path.resize(path.find(L'\0'));
  return platform::win32::Narrow(path);
}

Answer Win32Desktop::ShowMessage(Window* owner, std::string_view text, std::string_view title,
                                 Icon icon, Buttons buttons) {
  using platform::win32::WideText;
  const int answer = MessageBoxW(HandleOf(owner), WideText(text).c_str(), WideText(title).c_str(),
                                 MessageBoxStyle(icon, buttons));
  if (answer == IDYES) return Answer::Yes;
  if (answer == IDNO) return Answer::No;
  return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

std::unique_ptr<StatusWindow> Win32Desktop::OpenStatusWindow(Window& owner) {
  return std::make_unique<Win32StatusWindow>(HandleOf(&owner));
}

int Win32Desktop::RunModalDialog(std::string_view templateName, Window* owner,
                                 DialogController& controller) {
  const std::wstring name = platform::win32::WideText(templateName);
  if (name.empty()) return -1;
  return static_cast<int>(win32::RunModalDialog(name.c_str(), HandleOf(owner), controller));
}

UINT MessageBoxStyle(Icon icon, Buttons buttons) {
  UINT style = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case Icon::None:
      break;
    case Icon::Exclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case Icon::Question:
      style |= MB_ICONQUESTION;
      break;
    case Icon::Information:
      style |= MB_ICONINFORMATION;
      break;
  }
  return style;
}

}  // namespace vantrel::ui::win32
