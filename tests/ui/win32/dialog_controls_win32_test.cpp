// The controls of the launcher's real dialog templates through the view the controllers
// use: the pilot roster's sorted list, the new-pilot dialog's edit field and check box,
// enabled states, and a modal dialog ended by its controller.
#include <optional>
#include <string>
#include <vector>

#include "resources/launcher_ids.h"
#include "tests/ui/win32/win32_ui_test.h"
#include "ui/win32/desktop_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

using DialogControlsTest = Win32UiTest;

class IdleController : public DialogController {
 public:
  void onInit(Window&) override {}
  bool onCommand(Window&, int) override { return false; }
};

// Ends the dialog with the command of the Esc key, posted at initialisation so that it
// arrives through the modal loop as a key press would.
class EscapingController : public DialogController {
 public:
  void onInit(Window& dialog) override {
    dialog.SetChecked(IDC_PREPARE_KZ, true);
    PostMessageW(HandleOf(&dialog), WM_COMMAND, MAKEWPARAM(IDC_DIALOG_CANCEL, BN_CLICKED), 0);
  }
  // The edit field's focus notification comes first, with the field's id.
  bool onCommand(Window& dialog, int id) override {
    if (id != IDC_DIALOG_CANCEL) return false;
    ++cancels;
    checkedThen = dialog.IsChecked(IDC_PREPARE_KZ);
    dialog.EndDialog(42);
    return true;
  }
  int cancels = 0;
  bool checkedThen = false;
};

// A launcher dialog over the test's owner with a controller that does nothing, and the
// view the controllers have of it.
struct IdleDialog {
  IdleDialog(const wchar_t* name, HWND owner) : dialog(name, owner, controller) {}
  HWND handle() const { return dialog.handle(); }

  IdleController controller;
  ModelessDialog dialog;
  Win32Window window{dialog.handle()};
};

std::vector<std::wstring> Entries(HWND dialog, int id) {
  std::vector<std::wstring> entries;
  const LRESULT count = SendDlgItemMessageW(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendDlgItemMessageW(dialog, id, LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendDlgItemMessageW(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    entries.push_back(text);
  }
  return entries;
}

TEST_F(DialogControlsTest, ThePilotListSortsItsEntriesAndGivesBackTheSelectedOne) {
  IdleDialog dialog(L"XWA_PILOT", owner);
  ASSERT_NE(dialog.handle(), nullptr);
  Win32Window& window = dialog.window;

  EXPECT_EQ(window.AddListEntry(IDC_PILOT_LIST, "charlie"), 0);
  EXPECT_EQ(window.AddListEntry(IDC_PILOT_LIST, "Bravo"), 0);
  EXPECT_EQ(window.AddListEntry(IDC_PILOT_LIST, "Delta"), 2);
  EXPECT_EQ(window.AddListEntry(IDC_PILOT_LIST, "alpha"), 0);
  const int accented = window.AddListEntry(IDC_PILOT_LIST, "\xC3\x89mile");
  ASSERT_GE(accented, 0);
  std::vector<std::wstring> entries = Entries(dialog.handle(), IDC_PILOT_LIST);
  entries.erase(entries.begin() + accented);
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"alpha", L"Bravo", L"charlie", L"Delta"}));

  EXPECT_EQ(window.SelectedListText(IDC_PILOT_LIST), std::nullopt);
  window.SelectListEntry(IDC_PILOT_LIST, 1);
  EXPECT_EQ(SendDlgItemMessageW(dialog.handle(), IDC_PILOT_LIST, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(window.SelectedListText(IDC_PILOT_LIST), "Bravo");
  window.SelectListEntry(IDC_PILOT_LIST, accented);
  EXPECT_EQ(window.SelectedListText(IDC_PILOT_LIST), "\xC3\x89mile");

  window.ClearList(IDC_PILOT_LIST);
  EXPECT_TRUE(Entries(dialog.handle(), IDC_PILOT_LIST).empty());
  EXPECT_EQ(window.SelectedListText(IDC_PILOT_LIST), std::nullopt);

  // A list the dialog does not have takes no entry and has no selection.
  EXPECT_EQ(window.AddListEntry(1099, "Luke"), -1);
  EXPECT_EQ(window.SelectedListText(1099), std::nullopt);
}

TEST_F(DialogControlsTest, ButtonsAreEnabledAndCheckBoxesTickedBothWays) {
  IdleDialog pilots(L"XWA_PILOT", owner);
  IdleDialog newPilot(L"XWA_NEW_PILOT", owner);
  ASSERT_NE(pilots.handle(), nullptr);
  ASSERT_NE(newPilot.handle(), nullptr);
  const HWND ok = GetDlgItem(pilots.handle(), IDC_PILOT_OK);
  EXPECT_TRUE(IsWindowEnabled(ok));
  EXPECT_FALSE(newPilot.window.IsChecked(IDC_PREPARE_KZ));
  for (const bool on : {false, true, false}) {
    pilots.window.EnableItem(IDC_PILOT_OK, on);
    newPilot.window.SetChecked(IDC_PREPARE_KZ, !on);
    EXPECT_EQ(IsWindowEnabled(ok) != FALSE, on);
    EXPECT_EQ(IsDlgButtonChecked(newPilot.handle(), IDC_PREPARE_KZ),
              static_cast<UINT>(on ? BST_UNCHECKED : BST_CHECKED));
    EXPECT_EQ(newPilot.window.IsChecked(IDC_PREPARE_KZ), !on);
  }
}

TEST_F(DialogControlsTest, TheNameFieldTakesNoMoreThanItsLimit) {
  IdleDialog dialog(L"XWA_NEW_PILOT", owner);
  ASSERT_NE(dialog.handle(), nullptr);
  Win32Window& window = dialog.window;
  window.SetTextLimit(IDC_NEW_PILOT_NAME, 12);
  EXPECT_EQ(SendDlgItemMessageW(dialog.handle(), IDC_NEW_PILOT_NAME, EM_GETLIMITTEXT, 0, 0), 12);
  // Typing goes through the same path as a replaced selection.
  SendDlgItemMessageW(dialog.handle(), IDC_NEW_PILOT_NAME, EM_REPLACESEL, FALSE,
                      reinterpret_cast<LPARAM>(L"Skywalker123X"));
  EXPECT_EQ(window.ItemText(IDC_NEW_PILOT_NAME), "Skywalker123");
}

TEST_F(DialogControlsTest, AModalDialogFromTheDesktopEndsWithWhatItsControllerGives) {
  Win32Desktop desktop;
  EscapingController controller;
  Win32Window ownerWindow(owner);
  EXPECT_EQ(desktop.RunModalDialog("XWA_NEW_PILOT", &ownerWindow, controller), 42);
  EXPECT_EQ(controller.cancels, 1);
  EXPECT_TRUE(controller.checkedThen);
}

TEST(DialogControls, AMissingTemplateGivesMinusOne) {
  Win32Desktop desktop;
  IdleController controller;
  EXPECT_EQ(desktop.RunModalDialog("NO_SUCH_TEMPLATE", nullptr, controller), -1);
}

}  // namespace
}  // namespace vantrel::ui::win32
