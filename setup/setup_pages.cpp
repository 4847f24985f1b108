// What each of Setup's pages does, through the window seam only; the installation itself
// is in install_steps.h.
#include "setup/setup_pages.h"

#include "platform/path.h"
#include "resources/setup_ids.h"
#include "setup/install_folder.h"
#include "setup/install_steps.h"

namespace vantrel {
namespace {

constexpr std::string_view kSetupTitle = "Setup";

void ShowSetupWarning(ui::Window* owner, std::string_view text) {
  ui::Ui().ShowMessage(owner, text, kSetupTitle, ui::Icon::Exclamation, ui::Buttons::Ok);
}

// The first 259 characters of what was typed: the most a destination can hold.
std::string FolderFromField(std::string_view typed) {
  std::string folder(typed);
  while (!platform::PathFitsLimit(folder)) {
    // Drop one whole UTF-8 character: its continuation bytes, then its first byte.
    while (!folder.empty() && (static_cast<unsigned char>(folder.back()) & 0xC0) == 0x80) {
      folder.pop_back();
    }
    if (!folder.empty()) folder.pop_back();
  }
  return folder;
}

}  // namespace

const char kDisclaimer[] =
    "================================================\r\n"
    "Please read the following before you install this program.\r\n"
    "\r\n"
    "Neither the KZ gaming club, nor its Command Office or its\r\n"
    "Mission Office, nor the author of this program accept any\r\n"
    "responsibility for damage of any kind that it may cause to\r\n"
    "your computer systems or to your data.\r\n"
    "\r\n"
    "By installing it you agree that all responsibility for any\r\n"
    "damage you incur rests with you alone.\r\n"
    "\r\n"
    "This patch is not made, distributed or supported in any way\r\n"
    "by LucasArts Entertainment Company.\r\n"
    "\r\n"
    "You use it entirely at your own risk.\r\n"
    "================================================\r\n";

void RunSetupPage(SetupSession& session, SetupPage page) {
  const auto run = [](const char* templateName, auto&& controller) {
    ui::Ui().RunModalDialog(templateName, nullptr, controller);
  };
  switch (page) {
    case SetupPage::Welcome:
      run(kWelcomePage, WelcomePage(session));
      break;
    case SetupPage::Agreement:
      run(kAgreementPage, AgreementPage(session));
      break;
    case SetupPage::Destination:
      run(kDestinationPage, DestinationPage(session));
      break;
    case SetupPage::Copy:
      run(kCopyPage, CopyPage(session));
      break;
    case SetupPage::End:
      run(kEndPage, EndPage(session));
      break;
  }
}

bool SetupPageController::onCommand(ui::Window& page, int id) {
  if (onPageCommand(page, id)) return true;
  AskToQuit(page);
  return true;
}

// A page goes away without Setup ending only when something outside Setup closed it;
// the user is still asked, as for any other way out of a page.
void SetupPageController::onDestroy(ui::Window& page) {
  if (session_.ending) return;
  QuitQuestion question;
  if (ui::Ui().RunModalDialog(kQuitQuestion, nullptr, question) == IDC_QUIT_EXIT) {
    session_.ending = true;
    page.PostQuit(0);
  }
}

void SetupPageController::GoTo(ui::Window& page, SetupPage next) {
  page.EndDialog(0);
  RunSetupPage(session_, next);
}

void SetupPageController::AskToQuit(ui::Window& page) {
  QuitQuestion question;
  if (ui::Ui().RunModalDialog(kQuitQuestion, &page, question) == IDC_QUIT_EXIT) {
    EndSetup(page, IDC_QUIT_EXIT);
  }
}

void SetupPageController::EndSetup(ui::Window& page, int result) {
  session_.ending = true;
  page.EndDialog(result);
  // Each page was opened from the handler of the page before, so the loops of those
  // pages are still waiting below this one. Ending a dialog wakes only its own loop;
  // the quit message reaches every loop of the chain, each ends its page and hands the
  // message on, and Setup ends instead of waiting, with no window, for a message that
  // never comes.
  page.PostQuit(0);
}

void WelcomePage::onInit(ui::Window&) { session_.destination = session_.defaultDestination; }

bool WelcomePage::onPageCommand(ui::Window& page, int id) {
  if (id != IDC_WELCOME_NEXT) return false;
  GoTo(page, SetupPage::Agreement);
  return true;
}

void AgreementPage::onInit(ui::Window& page) { page.SetItemText(IDC_AGREEMENT_TEXT, kDisclaimer); }

bool AgreementPage::onPageCommand(ui::Window& page, int id) {
  switch (id) {
    case IDC_AGREEMENT_TEXT:
      // The disclaimer's field tells of focus and scrolling; nothing to do.
      return true;
    case IDC_AGREEMENT_YES:
      GoTo(page, SetupPage::Destination);
      return true;
    case IDC_AGREEMENT_BACK:
      GoTo(page, SetupPage::Welcome);
      return true;
    default:
      return false;
  }
}

void DestinationPage::onInit(ui::Window& page) {
  page.SetTextLimit(IDC_DESTINATION_FOLDER, static_cast<int>(platform::kMaxPathLength));
  page.SetItemText(IDC_DESTINATION_FOLDER, session_.destination);
}

bool DestinationPage::onPageCommand(ui::Window& page, int id) {
  switch (id) {
    case IDC_DESTINATION_FOLDER:
      // Typing in the folder field tells of every change; nothing to do until Next.
      return true;
    case IDC_DESTINATION_BROWSE: {
      if (!session_.browseForFolder) return true;
      const std::optional<std::string> picked =
          session_.browseForFolder(page, page.ItemText(IDC_DESTINATION_FOLDER));
      if (picked) {
        page.SetItemText(IDC_DESTINATION_FOLDER, *picked);
        session_.destination = *picked;
      }
      return true;
    }
    case IDC_DESTINATION_NEXT:
      session_.destination = FolderFromField(page.ItemText(IDC_DESTINATION_FOLDER));
      if (CreateInstallFolder(session_.destination)) {
        GoTo(page, SetupPage::Copy);
      } else {
        ShowSetupWarning(&page, "Error creating the directory!\nInstallation aborting!");
      }
      return true;
    case IDC_DESTINATION_BACK:
      GoTo(page, SetupPage::Agreement);
      return true;
    default:
      return false;
  }
}

void CopyPage::onInit(ui::Window& page) {
  page.SetProgressRange(IDC_COPY_PROGRESS, 0, 100);
  page.SetProgressPosition(IDC_COPY_PROGRESS, 0);
}

bool CopyPage::onPageCommand(ui::Window& page, int id) {
  switch (id) {
    case IDC_COPY_START: {
      page.EnableItem(IDC_COPY_START, false);
      const InstallProgress progress{
          [&page](std::string_view name) { page.SetItemText(IDC_COPY_ENTRY, name); },
          [&page](int percent) { page.SetProgressPosition(IDC_COPY_PROGRESS, percent); }};
      switch (InstallVantrel(session_.destination, progress)) {
        case InstallResult::PackageMissing:
          // Start stays disabled; Back and Cancel still work.
          ShowSetupWarning(&page, "Can't find setup package!\nInstallation aborting!");
          break;
        case InstallResult::LogNotCreated:
          ShowSetupWarning(&page, "Can't create install log!\nInstallation aborting!");
          EndSetup(page, 0);
          break;
        case InstallResult::Done:
          page.EnableItem(IDC_COPY_START, true);
          GoTo(page, SetupPage::End);
          break;
      }
      return true;
    }
    case IDC_COPY_BACK:
      GoTo(page, SetupPage::Destination);
      return true;
    default:
      return false;
  }
}

void EndPage::onInit(ui::Window& page) {
  page.SetChecked(IDC_END_DESKTOP_SHORTCUT, true);
  page.SetChecked(IDC_END_VIEW_README, true);
  page.EnableItem(IDC_SETUP_CANCEL, false);
  page.EnableItem(IDC_END_BACK, false);
}

bool EndPage::onCommand(ui::Window& page, int id) {
  if (!onPageCommand(page, id)) EndSetup(page, id);
  return true;
}

bool EndPage::onPageCommand(ui::Window& page, int id) {
  switch (id) {
    case IDC_END_DESKTOP_SHORTCUT:
    case IDC_END_VIEW_README:
      // The boxes tick themselves; Finish reads them.
      return true;
    case IDC_END_FINISH:
      if (page.IsChecked(IDC_END_VIEW_README)) OpenInstalledReadme(session_.destination);
      if (page.IsChecked(IDC_END_DESKTOP_SHORTCUT)) CreateDesktopShortcut(session_.destination);
      EndSetup(page, IDC_END_FINISH);
      return true;
    default:
      return false;
  }
}

void EndPage::onDestroy(ui::Window& page) {
  if (!session_.ending) page.PostQuit(0);
  session_.ending = true;
}

bool QuitQuestion::onCommand(ui::Window& question, int id) {
  question.EndDialog(id == IDC_QUIT_EXIT ? IDC_QUIT_EXIT : IDC_QUIT_RESUME);
  return true;
}

}  // namespace vantrel
