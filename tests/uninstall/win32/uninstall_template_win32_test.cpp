// Uninstall's real window, made from the program's resource script: its caption and
// texts before Start, and its rows, bar and buttons after Start has removed a small
// installation on the test's own machine; a screenshot of each.
#include <string>
#include <vector>

#include "resources/uninstall_ids.h"
#include "setup/install_folder.h"
#include "setup/install_steps.h"
#include "tests/setup/install_fixture.h"
#include "tests/e2e/window_finder.h"
#include "tests/setup/win32/template_check_win32.h"
#include "tests/ui/win32/win32_ui_test.h"
#include "ui/win32/desktop_win32.h"
#include "ui/win32/dialog.h"
#include "uninstall/uninstall_window.h"

#include <commctrl.h>

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;

class UninstallTemplateTest : public testing::InstallTest {
 protected:
  void SetUp() override {
    if (!ui::win32::CanMakeWindows()) GTEST_SKIP() << ui::win32::kNoDisplay;
  }
};

bool Visible(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }

TEST_F(UninstallTemplateTest, TheWindowBeforeAndAfterStart) {
  const ui::win32::Win32Desktop windows;
  WriteUsualPackage();
  CreateInstallFolder(destination);
  ASSERT_EQ(InstallVantrel(destination, {}), InstallResult::Done);

  UninstallWindow controller;
  ui::win32::ModelessDialog window(L"MAIN", nullptr, controller);
  ASSERT_NE(window.handle(), nullptr);
  EXPECT_EQ(e2e::WindowText(window.handle()), "Remove Programs From Your Computer");
  EXPECT_EQ(testing::ControlTexts(window.handle()),
            (Texts{"Morvain Setup will now remove the program Vantrel",
                   "from your computer, so please wait while the",
                   "following components are removed...", "Program files...", "Program folders...",
                   "Registry entries...", "Done!", "Done!", "Done!", "Uninstall completed.",
                   "Morvain Setup", "Start", "OK"}));
  for (const int id :
       {IDC_DONE_FILES, IDC_DONE_FOLDERS, IDC_DONE_REGISTRY, IDC_UNINSTALL_COMPLETED}) {
    EXPECT_FALSE(Visible(window.handle(), id)) << id;
  }
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_UNINSTALL_OK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_UNINSTALL_PROGRESS)));
  EXPECT_TRUE(testing::SaveScreenshot(window.handle(), "uninstall-before-start"));

  SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(IDC_UNINSTALL_START, BN_CLICKED), 0);
  for (const int id :
       {IDC_DONE_FILES, IDC_DONE_FOLDERS, IDC_DONE_REGISTRY, IDC_UNINSTALL_COMPLETED}) {
    EXPECT_TRUE(Visible(window.handle(), id)) << id;
  }
  EXPECT_EQ(SendDlgItemMessageW(window.handle(), IDC_UNINSTALL_PROGRESS, PBM_GETPOS, 0, 0), 100);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_UNINSTALL_OK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_UNINSTALL_START)));
  EXPECT_EQ(e2e::WindowText(GetDlgItem(window.handle(), IDC_UNINSTALL_START)), "Please wait");
  EXPECT_FALSE(temp.Exists("Program Files/Morvain Unlimited/Vantrel/VNTL.exe"));
  EXPECT_TRUE(testing::SaveScreenshot(window.handle(), "uninstall-after-start"));
}

}  // namespace
}  // namespace vantrel
