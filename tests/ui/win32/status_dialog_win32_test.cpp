// The STATUS window made from the launcher's resources: its template's exact shape, the
// bar's range and positions, and its closing.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/win32/win32_ui_test.h"

#include <commctrl.h>
#include "ui/win32/desktop_win32.h"
#include "ui/win32/status_dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

// Each test opens STATUS windows over the test's owner.
class StatusWindowTest : public Win32UiTest {
 protected:
  std::unique_ptr<StatusWindow> Open() {
    if (!ownerWindow) ownerWindow.emplace(owner);
    return desktop.OpenStatusWindow(*ownerWindow);
  }

  Win32Desktop desktop;
  std::optional<Win32Window> ownerWindow;
};

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
// bar rewrites its borders when it is created. The fixed fields of the dialog and of
// each item, as the format lays them out:
#pragma pack(push, 2)
struct TemplateHeader {
  WORD version, signature;
  DWORD helpId, exStyle, style;
  WORD itemCount;
  short x, y, cx, cy;
};
struct TemplateItem {
  DWORD helpId, exStyle, style;
  short x, y, cx, cy;
  DWORD id;
};
#pragma pack(pop)

// Dialog units: a position and size, or a size alone.
using Box = std::vector<short>;

struct DialogTemplate {
  TemplateHeader dialog;
  std::vector<TemplateItem> items;
  std::vector<std::wstring> classNames;  // of each item, an ordinal as "#number"
};

// Reads a template's fields in order: the fixed ones, strings and ordinals (0xFFFF and a
// number), and the alignment of each item to a DWORD.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : data_(data) {}
  template <typename T>
  T Take() {
    T value;
    std::memcpy(&value, data_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  std::wstring StringOrOrdinal() {
    const WORD first = Take<WORD>();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Take<WORD>());
    std::wstring text;
    for (WORD c = first; c != 0; c = Take<WORD>()) text.push_back(static_cast<wchar_t>(c));
    return text;
  }
  void Skip(std::size_t bytes) { offset_ += bytes; }
  void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

 private:
  const BYTE* data_;
  std::size_t offset_ = 0;
};

std::optional<DialogTemplate> LoadDialogTemplate(const wchar_t* name) {
  const HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(5));  // RT_DIALOG
  const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) return std::nullopt;
  TemplateReader reader(static_cast<const BYTE*>(LockResource(loaded)));
  DialogTemplate result{reader.Take<TemplateHeader>(), {}, {}};
  if (result.dialog.version != 1 || result.dialog.signature != 0xFFFF) return std::nullopt;
  for (int text = 0; text < 3; ++text) reader.StringOrOrdinal();  // menu, class, caption
  if (result.dialog.style & DS_SETFONT) {
    reader.Skip(3 * sizeof(WORD));  // size, weight, italic and charset
    reader.StringOrOrdinal();       // typeface
  }
  for (WORD i = 0; i < result.dialog.itemCount; ++i) {
    reader.AlignToDword();
    result.items.push_back(reader.Take<TemplateItem>());
    result.classNames.push_back(reader.StringOrOrdinal());
    reader.StringOrOrdinal();  // title
    reader.Skip(reader.Take<WORD>());  // creation data, counted in bytes
  }
  return result;
}

TEST(StatusTemplate, IsExactlyTheProgressWindowOfTheLauncher) {
  const std::optional<DialogTemplate> status = LoadDialogTemplate(L"STATUS");
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->dialog.style, static_cast<DWORD>(DS_CENTER | WS_POPUP | WS_THICKFRAME));
  EXPECT_EQ(status->dialog.exStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ((Box{status->dialog.cx, status->dialog.cy}), (Box{168, 30}));
  ASSERT_EQ(status->items.size(), 1u);
  const TemplateItem& bar = status->items.front();
  EXPECT_EQ(bar.id, 1065u);
  // Class names are matched without regard to case, and windres stores them in capitals.
  EXPECT_EQ(lstrcmpiW(status->classNames.front().c_str(), L"msctls_progress32"), 0);
  EXPECT_EQ(bar.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | PBS_SMOOTH | WS_BORDER));
  EXPECT_EQ(bar.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ((Box{bar.x, bar.y, bar.cx, bar.cy}), (Box{10, 10, 150, 10}));
}

TEST_F(StatusWindowTest, IsMadeFromItsTemplate) {
  auto status = Open();
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
  auto status = Open();
  RECT window;
  GetWindowRect(DialogOf(status), &window);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);
}

TEST_F(StatusWindowTest, TheBarRunsFromZeroToAHundredAndFollowsSetProgress) {
  auto status = Open();
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
  auto first = Open();
  const HWND firstBar = BarOf(first);
  first->SetProgress(40);
  auto second = Open();
  const HWND secondBar = BarOf(second);
  ASSERT_NE(secondBar, firstBar);
  second->SetProgress(70);
  EXPECT_EQ(SendMessageW(firstBar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(secondBar, PBM_GETPOS, 0, 0), 70);
}

TEST_F(StatusWindowTest, ClosesWithItsObject) {
  auto status = Open();
  const HWND dialog = DialogOf(status);
  ASSERT_TRUE(IsWindow(dialog));
  status.reset();
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(StatusWindowTest, OnlyCommandsFromTheBarAreHandled) {
  auto status = Open();
  const HWND dialog = DialogOf(status);
  const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  ASSERT_NE(procedure, nullptr);
  EXPECT_EQ(procedure(dialog, WM_COMMAND, MAKEWPARAM(1065, 0), 0), TRUE);
  EXPECT_EQ(procedure(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0), FALSE);
  EXPECT_EQ(procedure(dialog, WM_TIMER, 1, 0), FALSE);
}

TEST(MessageBoxStyle, MapsIconsAndButtons) {
  const std::tuple<Icon, Buttons, UINT> cases[] = {
      {Icon::None, Buttons::Ok, MB_OK},
      {Icon::Exclamation, Buttons::Ok, MB_OK | MB_ICONEXCLAMATION},
      {Icon::Question, Buttons::YesNo, MB_YESNO | MB_ICONQUESTION},
      {Icon::Information, Buttons::Ok, MB_OK | MB_ICONINFORMATION},
  };
  for (const auto& [icon, buttons, style] : cases) {
    EXPECT_EQ(MessageBoxStyle(icon, buttons), style) << style;
  }
}

}  // namespace
}  // namespace vantrel::ui::win32
