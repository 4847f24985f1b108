// Control texts of a real window through the view the subsystems use: UTF-8 in and out
// of the wide API, texts of any length, and missing controls.
#include <string>

#include "platform/win32/text_win32.h"
#include "tests/ui/win32/win32_ui_test.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

using Win32WindowTest = Win32UiTest;

// Texts beyond ASCII, long ones and empty ones come back whole; a control the window
// does not have keeps no text.
TEST_F(Win32WindowTest, TextsGoToTheControlAndComeBackAsTheyWere) {
  const HWND status = AddLabel(1068);
  ASSERT_NE(status, nullptr);
  Win32Window window(owner);
  const std::string accented = "D\xC3\xA9" "cryptage \xE2\x80\x94 Missions...";
  for (const std::string& text : {std::string(2000, 'x'), std::string(), accented}) {
    window.SetItemText(1068, text);
    EXPECT_EQ(window.ItemText(1068), text) << text.size() << " bytes";
  }
  wchar_t shown[64] = {};
  GetWindowTextW(status, shown, 64);
  EXPECT_STREQ(shown, L"D\u00e9cryptage \u2014 Missions...");
  window.SetItemText(1099, "nowhere");
  EXPECT_EQ(window.ItemText(1099), "");
}

TEST_F(Win32WindowTest, TheHandleBehindAWindowIsFoundOnlyForRealWindows) {
  Win32Window window(owner);
  EXPECT_EQ(HandleOf(&window), owner);
  EXPECT_EQ(HandleOf(nullptr), nullptr);
}

}  // namespace
}  // namespace vantrel::ui::win32
