// The STATUS window made from the launcher's resources: its template's exact shape, the
// bar's range and positions, and its closing.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/win32/win32_ui_test.h"

#include <commctrl.h>
#include "ui/win32/desktop_win32.h"
#include "ui/win32/status_dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

using StatusWindowTest = Win32UiTest;

// The dialog and bar of a STATUS window this backend made.
HWND DialogOf(const std::unique_ptr<StatusWindow>& status) {
  return dynamic_cast<const Win32StatusWindow&>(*status).handle();
}
HWND BarOf(const std::unique_ptr<StatusWindow>& status) {
  return GetDlgItem(DialogOf(status), 1065);
}

RECT DialogUnits(HWND dialog, int left, int top, int right, int bottom) {
  RECT rect{left, top, right, bottom};
  MapDialogRect(dialog, &rect);
  return rect;
}

// The rectangle of a child window in its parent's client coordinates.
RECT RectInParent(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Dialog units become pixels with rounding that differs by a pixel between the dialog
// manager and MapDialogRect on some systems.
void ExpectNear(const RECT& actual, const RECT& expected, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_NEAR(actual.left, expected.left, 1);
  EXPECT_NEAR(actual.top, expected.top, 1);
  EXPECT_NEAR(actual.right, expected.right, 1);
  EXPECT_NEAR(actual.bottom, expected.bottom, 1);
}

// The STATUS template as the resource script compiled it (a DLGTEMPLATEEX), read field
// by field: the window's own state cannot show every declared style, since a progress
// bar rewrites its borders when it is created.
struct TemplateItem {
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::wstring className;
};

struct DialogTemplate {
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::vector<TemplateItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : data_(data) {}
  WORD Word() { return Take<WORD>(); }
  DWORD Dword() { return Take<DWORD>(); }
  short Short() { return Take<short>(); }
  // A string, or an ordinal (0xFFFF and a number) given back as "#number".
  std::wstring StringOrOrdinal() {
    const WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text;
    for (WORD c = first; c != 0; c = Word()) text.push_back(static_cast<wchar_t>(c));
    return text;
  }
  void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

 private:
  template <typename T>
  T Take() {
    T value;
    std::memcpy(&value, data_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  const BYTE* data_;
  std::size_t offset_ = 0;
};

std::optional<DialogTemplate> LoadDialogTemplate(const wchar_t* name) {
  const HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(5));  // RT_DIALOG
  if (found == nullptr) return std::nullopt;
  const HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return std::nullopt;
  TemplateReader reader(static_cast<const BYTE*>(LockResource(loaded)));
  if (reader.Word() != 1 || reader.Word() != 0xFFFF) return std::nullopt;  // not DIALOGEX
  DialogTemplate dialog;
  reader.Dword();  // help id
  dialog.exStyle = reader.Dword();
  dialog.style = reader.Dword();
  const WORD count = reader.Word();
  dialog.x = reader.Short();
  dialog.y = reader.Short();
  dialog.cx = reader.Short();
  dialog.cy = reader.Short();
  reader.StringOrOrdinal();  // menu
  reader.StringOrOrdinal();  // class
  reader.StringOrOrdinal();  // caption
  if (dialog.style & DS_SETFONT) {
    reader.Word();
    reader.Word();
    reader.Word();  // weight, italic and charset
    reader.StringOrOrdinal();
  }
  for (WORD i = 0; i < count; ++i) {
    reader.AlignToDword();
    TemplateItem item;
    reader.Dword();  // help id
    item.exStyle = reader.Dword();
    item.style = reader.Dword();
    item.x = reader.Short();
    item.y = reader.Short();
    item.cx = reader.Short();
    item.cy = reader.Short();
    item.id = reader.Dword();
    item.className = reader.StringOrOrdinal();
    reader.StringOrOrdinal();  // title
    const WORD extra = reader.Word();
    for (WORD k = 0; k < extra; ++k) reader.Word();
    dialog.items.push_back(item);
  }
  return dialog;
}

TEST(StatusTemplate, IsExactlyTheProgressWindowOfTheLauncher) {
  const std::optional<DialogTemplate> status = LoadDialogTemplate(L"STATUS");
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->style, static_cast<DWORD>(DS_CENTER | WS_POPUP | WS_THICKFRAME));
  EXPECT_EQ(status->exStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(status->cx, 168);
  EXPECT_EQ(status->cy, 30);
  ASSERT_EQ(status->items.size(), 1u);
  const TemplateItem& bar = status->items.front();
  EXPECT_EQ(bar.id, 1065u);
  // Class names are matched without regard to case, and windres stores them in capitals.
  EXPECT_EQ(lstrcmpiW(bar.className.c_str(), L"msctls_progress32"), 0);
  EXPECT_EQ(bar.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | PBS_SMOOTH | WS_BORDER));
  EXPECT_EQ(bar.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(bar.x, 10);
  EXPECT_EQ(bar.y, 10);
  EXPECT_EQ(bar.cx, 150);
  EXPECT_EQ(bar.cy, 10);
}

TEST_F(StatusWindowTest, IsMadeFromItsTemplate) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto status = desktop.OpenStatusWindow(ownerWindow);
  const HWND bar = BarOf(status);
  ASSERT_NE(bar, nullptr);
  const HWND dialog = DialogOf(status);
  EXPECT_EQ(GetParent(bar), dialog);

  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
  RECT client;
  GetClientRect(dialog, &client);
  ExpectNear(client, DialogUnits(dialog, 0, 0, 168, 30), "client area");

  wchar_t className[64] = {};
  GetClassNameW(bar, className, 64);
  EXPECT_STREQ(className, L"msctls_progress32");
  EXPECT_EQ(GetDlgCtrlID(bar), 1065);
  EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & PBS_SMOOTH);
  ExpectNear(RectInParent(bar), DialogUnits(dialog, 10, 10, 160, 20), "progress bar");
}

TEST_F(StatusWindowTest, IsCentredInTheWorkArea) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto status = desktop.OpenStatusWindow(ownerWindow);
  RECT window;
  GetWindowRect(DialogOf(status), &window);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);
}

TEST_F(StatusWindowTest, TheBarRunsFromZeroToAHundredAndFollowsSetProgress) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto status = desktop.OpenStatusWindow(ownerWindow);
  const HWND bar = BarOf(status);
  PBRANGE range{-1, -1};
  SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.iLow, 0);
  EXPECT_EQ(range.iHigh, 100);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
  for (int position : {33, 66, 100}) {
    status->SetProgress(position);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), position);
  }
}

TEST_F(StatusWindowTest, EachWindowMovesItsOwnBar) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto first = desktop.OpenStatusWindow(ownerWindow);
  const HWND firstBar = BarOf(first);
  first->SetProgress(40);
  auto second = desktop.OpenStatusWindow(ownerWindow);
  const HWND secondBar = BarOf(second);
  ASSERT_NE(secondBar, firstBar);
  second->SetProgress(70);
  EXPECT_EQ(SendMessageW(firstBar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(secondBar, PBM_GETPOS, 0, 0), 70);
}

TEST_F(StatusWindowTest, ClosesWithItsObject) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto status = desktop.OpenStatusWindow(ownerWindow);
  const HWND dialog = DialogOf(status);
  ASSERT_TRUE(IsWindow(dialog));
  status.reset();
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(StatusWindowTest, OnlyCommandsFromTheBarAreHandled) {
  Win32Desktop desktop;
  Win32Window ownerWindow(owner);
  auto status = desktop.OpenStatusWindow(ownerWindow);
  const HWND dialog = DialogOf(status);
  const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  ASSERT_NE(procedure, nullptr);
  EXPECT_EQ(procedure(dialog, WM_COMMAND, MAKEWPARAM(1065, 0), 0), TRUE);
  EXPECT_EQ(procedure(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0), FALSE);
  EXPECT_EQ(procedure(dialog, WM_TIMER, 1, 0), FALSE);
}

TEST(MessageBoxStyle, MapsIconsAndButtons) {
  EXPECT_EQ(MessageBoxStyle(Icon::None, Buttons::Ok), static_cast<UINT>(MB_OK));
  EXPECT_EQ(MessageBoxStyle(Icon::Exclamation, Buttons::Ok),
            static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(MessageBoxStyle(Icon::Question, Buttons::YesNo),
            static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(MessageBoxStyle(Icon::Information, Buttons::Ok),
            static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

}  // namespace
}  // namespace vantrel::ui::win32
