// Setup's real page templates, made from the program's resource script with the pages'
// own controllers: each page's caption and texts as a user reads them, the state the
// controller gives it when it opens, and a screenshot of every page.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/text_win32.h"
#include "resources/setup_ids.h"
#include "setup/setup_pages.h"
#include "tests/e2e/window_finder.h"
#include "tests/setup/win32/template_check_win32.h"
#include "tests/ui/win32/win32_ui_test.h"
#include "ui/win32/desktop_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/program_icon.h"
#include "ui/win32/window_win32.h"

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;
using SetupTemplatesTest = ui::win32::Win32UiTest;

struct PageCase {
  const char* templateName;
  std::function<std::unique_ptr<ui::DialogController>(SetupSession&)> controller;
  const char* caption;
  Texts texts;
};

template <typename Page>
std::unique_ptr<ui::DialogController> Make(SetupSession& session) {
  return std::make_unique<Page>(session);
}

TEST_F(SetupTemplatesTest, EveryPageShowsItsTextsAsWritten) {
  const ui::win32::Win32Desktop desktop;  // registers the progress bar's class
  const std::string morvain = "Morvain Setup";
  const PageCase cases[] = {
      {"Welcome", Make<WelcomePage>, "Welcome ",
       {"Welcome to the Vantrel Setup program.", "This program will install Vantrel on your ",
        "computer.", "It is recommended that you quit all Windows programs",
        "before running this Setup program.", "Click Cancel to quit the setup of this program.",
        "Click Next to continue with the Setup program.", morvain, "Next >", "Cancel"}},
      {"Agreement", Make<AgreementPage>, "Agreement",
       {kDisclaimer,
        "By clicking Yes you agree to the terms listed.  if not click No to end the ",
        "installation.", morvain, "< Back", "Yes", "No"}},
      {"Destination", Make<DestinationPage>, "Destination",
       {"Setup will install Vantrel into the following folder.",
        "To install to a different folder, click Browse, and select another folder.",
        "You can chose not to install Vantrel by clicking Cancel to exit Setup.",
        "Destination Folder", "C:\\Program Files\\Morvain Unlimited\\Vantrel", "Browse...",
        morvain, "< Back", "Next >", "Cancel"}},
      {"Copy", Make<CopyPage>, "Copy Files",
       {"Press Start to begin coping files to specified folder.", "Copying Files", morvain,
        "< Back", "Start", "Cancel"}},
      {"End", Make<EndPage>, "Finish",
       {"Vantrel has been sucessfully installed.", "Click Finish to exit the installer.",
        "Create Desktop shortcut", "View Readme", morvain, "< Back", "Finish", "Cancel"}},
      {"Quit", [](SetupSession&) { return std::make_unique<QuitQuestion>(); }, "Setup",
       {"Setup in not complete.  If you quit now the Setup",
        "program now, the program will not be installed.",
        "You may run the Setup program at a later time to", "complete the installation.",
        "To continue installing, click Resume.  To quit",
        "quit the Setup program, click Exit Setup.", "Resume", "Exit Setup"}},
  };
  for (const PageCase& c : cases) {
    SetupSession session;
    const std::unique_ptr<ui::DialogController> controller = c.controller(session);
    const std::wstring name = platform::win32::Widen(c.templateName).value();
    ui::win32::ModelessDialog page(name.c_str(), nullptr, *controller);
    ASSERT_NE(page.handle(), nullptr) << c.templateName;
    EXPECT_EQ(e2e::WindowText(page.handle()), c.caption) << c.templateName;
    EXPECT_EQ(testing::ControlTexts(page.handle()), c.texts) << c.templateName;
    EXPECT_TRUE(testing::SaveScreenshot(page.handle(), std::string("setup-") + c.templateName))
        << c.templateName;
    // The page goes away as Setup ends, without asking.
    session.ending = true;
  }
}

TEST_F(SetupTemplatesTest, TheEndPageOpensWithBothBoxesTickedAndNoWayBack) {
  SetupSession session;
  EndPage controller(session);
  ui::win32::ModelessDialog page(L"End", nullptr, controller);
  ASSERT_NE(page.handle(), nullptr);
  EXPECT_EQ(IsDlgButtonChecked(page.handle(), IDC_END_DESKTOP_SHORTCUT), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(page.handle(), IDC_END_VIEW_README), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.handle(), IDC_END_BACK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.handle(), IDC_SETUP_CANCEL)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page.handle(), IDC_END_FINISH)));
  // The "Morvain Setup" label is shown disabled on every page.
  HWND label = FindWindowExW(page.handle(), nullptr, L"Static", L"Morvain Setup");
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(IsWindowEnabled(label));
  session.ending = true;
}

// Looks, as the dialog opens, for the big icon its desktop gave it, then closes it.
class IconCheck final : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override {
    hadIcon = SendMessageW(ui::win32::HandleOf(&dialog), WM_GETICON, ICON_BIG, 0) != 0;
    dialog.EndDialog(7);
  }
  bool onCommand(ui::Window&, int) override { return false; }
  bool hadIcon = false;
};

TEST_F(SetupTemplatesTest, EveryPageCarriesTheProgramsIcon) {
  ui::win32::IconDesktop withIcon(IDI_SETUP);
  IconCheck check;
  EXPECT_EQ(withIcon.RunModalDialog("Welcome", nullptr, check), 7);
  EXPECT_TRUE(check.hadIcon);

  ui::win32::Win32Desktop plain;
  IconCheck without;
  EXPECT_EQ(plain.RunModalDialog("Welcome", nullptr, without), 7);
  EXPECT_FALSE(without.hadIcon);
}

}  // namespace
}  // namespace vantrel
