// Setup's five pages (Welcome, Agreement, Destination, Copy, End) and the question whether
// to quit, as controllers over the window seam. Each page is a modal dialog without
// owner, opened from the handler of the page before after that page has ended itself, so
// the pages form a chain of nested dialogs that unwinds once Setup is ending. Cancel,
// Esc, the close box and every command a page does not handle ask the quit question;
// the End page never asks it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kWelcomePage[] = "Welcome";
inline constexpr char kAgreementPage[] = "Agreement";
inline constexpr char kDestinationPage[] = "Destination";
inline constexpr char kCopyPage[] = "Copy";
inline constexpr char kEndPage[] = "End";
inline constexpr char kQuitQuestion[] = "Quit";

inline constexpr char kDefaultDestination[] = "C:\\Program Files\\Morvain Unlimited\\Vantrel";

// The disclaimer of the Agreement page, lines ended by CR LF.
extern const char kDisclaimer[];

// The shell's folder browser: owned by `owner`, opening with `initial` selected; the
// picked folder's path, or nothing when the user cancelled or picked a folder that is
// no place on disk.
using FolderBrowser =
    std::function<std::optional<std::string>(ui::Window& owner, const std::string& initial)>;

// What the pages share while Setup runs.
struct SetupSession {
  // What the Welcome page sets the destination back to each time it opens.
  std::string defaultDestination = kDefaultDestination;
  std::string destination = kDefaultDestination;
  FolderBrowser browseForFolder;
  // Set once Setup is ending; the pages then close without asking anything.
  bool ending = false;
};

enum class SetupPage { Welcome, Agreement, Destination, Copy, End };

// Opens `page` as a modal dialog without owner and returns once the chain of pages opened
// from it has closed.
void RunSetupPage(SetupSession& session, SetupPage page);

// The behaviour every page shares: moving on, the quit question for the commands the
// page leaves alone, and for a page that goes away while Setup is not ending.
class SetupPageController : public ui::DialogController {
 public:
  explicit SetupPageController(SetupSession& session) : session_(session) {}
  bool onCommand(ui::Window& page, int id) override;
  void onDestroy(ui::Window& page) override;

 protected:
  // The page's own commands; false for those it leaves to the quit question.
  virtual bool onPageCommand(ui::Window& page, int id) = 0;
  // Ends this page and opens `next`.
  void GoTo(ui::Window& page, SetupPage next);
  // Asks the quit question owned by `page`; Exit Setup ends this page and Setup.
  void AskToQuit(ui::Window& page);
  // Ends this page and Setup.
  void EndSetup(ui::Window& page, int result);

  SetupSession& session_;
};

class WelcomePage final : public SetupPageController {
 public:
  using SetupPageController::SetupPageController;
  void onInit(ui::Window& page) override;

 protected:
  bool onPageCommand(ui::Window& page, int id) override;
};

class AgreementPage final : public SetupPageController {
 public:
  using SetupPageController::SetupPageController;
  void onInit(ui::Window& page) override;

 protected:
  bool onPageCommand(ui::Window& page, int id) override;
};

class DestinationPage final : public SetupPageController {
 public:
  using SetupPageController::SetupPageController;
  void onInit(ui::Window& page) override;

 protected:
  bool onPageCommand(ui::Window& page, int id) override;
};

class CopyPage final : public SetupPageController {
 public:
  using SetupPageController::SetupPageController;
  void onInit(ui::Window& page) override;

 protected:
  bool onPageCommand(ui::Window& page, int id) override;
};

// The End page: Finish runs the last steps that are ticked; every other command, and the
// page going away, end Setup at once.
class EndPage final : public SetupPageController {
 public:
  using SetupPageController::SetupPageController;
  void onInit(ui::Window& page) override;
  bool onCommand(ui::Window& page, int id) override;
  void onDestroy(ui::Window& page) override;

 protected:
  bool onPageCommand(ui::Window& page, int id) override;
};

// The quit question: ends with IDC_QUIT_EXIT for Exit Setup and with IDC_QUIT_RESUME for
// Resume and every other way out (Esc, the close box), since Resume is its default.
class QuitQuestion final : public ui::DialogController {
 public:
  void onInit(ui::Window&) override {}
  bool onCommand(ui::Window& question, int id) override;
};

}  // namespace vantrel
