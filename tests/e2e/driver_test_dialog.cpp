// A small dialog program for the end-to-end driver's own test: it greets the name typed
// into its field in a Yes/No message box and shows which button answered, toggles a menu
// item, shows a tooltip on its button, and shows whether its manifest took effect
// (common controls 6, DPI awareness).
// Esc, the close box, "Close" and "Exit" end it with exit code 0.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "tests/e2e/driver_test_dialog_ids.h"

namespace {

std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

// What the manifest changed: which common controls the program uses, and whether the
// system leaves DPI scaling to the program. Common controls 6 come from the side-by-side
// store (WinSxS), version 5 from the system folder; Wine's copy of version 6 reports
// itself as 5, so the folder tells the two apart.
std::wstring SystemLine() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path.data(),
                                 static_cast<DWORD>(path.size())));
  std::transform(path.begin(), path.end(), path.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  std::wstring line = path.find(L"\\winsxs\\") != std::wstring::npos ? L"Common controls 6"
                                                                     : L"Common controls 5";
  line += IsProcessDPIAware() ? L", DPI aware" : L", not DPI aware";
  return line;
}

void Greet(HWND dialog) {
  std::wstring text = L"Hello, " + ControlText(dialog, IDC_NAME) + L"!";
  if (IsDlgButtonChecked(dialog, IDC_LOUD) == BST_CHECKED) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  }
  const int answer = MessageBoxW(dialog, text.c_str(), L"Driver Test Message",
                                 MB_YESNO | MB_ICONQUESTION);
  SetDlgItemTextW(dialog, IDC_ANSWER, answer == IDYES ? L"Yes" : L"No");
}

// A tooltip on the greeting button, as the launcher puts them on its controls.
void AddGreetTooltip(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_GREET);
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, button, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = button;
  tool.uId = 1;
  GetClientRect(button, &tool.rect);
  tool.lpszText = const_cast<wchar_t*>(L"Says hello");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToggleOption(HWND dialog) {
  HMENU menu = GetMenu(dialog);
  const bool checked = GetMenuState(menu, IDM_OPTION, MF_BYCOMMAND) & MF_CHECKED;
  CheckMenuItem(menu, IDM_OPTION, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendMessageW(dialog, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(LoadIconW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(IDI_DRIVER_TEST))));
      SetDlgItemTextW(dialog, IDC_SYSTEM, SystemLine().c_str());
      AddGreetTooltip(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_GREET:
          Greet(dialog);
          return TRUE;
        case IDM_OPTION:
          ToggleOption(dialog);
          return TRUE;
        case IDCANCEL:
        case IDM_EXIT:
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DRIVER_TEST), nullptr,
                                         DialogProc, 0);
  return result == -1 ? 3 : static_cast<int>(result);
}
