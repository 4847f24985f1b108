// Setup's program flow apart from Windows: switches, the silent installation and the
// wizard's chain of pages.
#include "setup/setup_program.h"

#include "platform/path.h"
#include "setup/install_folder.h"
#include "setup/install_steps.h"
#include "ui/window.h"

namespace vantrel {
namespace {

constexpr std::string_view kDirSwitch = "/DIR=";

bool IsSwitch(std::string_view argument, std::string_view name) {
  return platform::NamesEqual(argument, name);
}

}  // namespace

std::optional<SetupSwitches> ParseSetupSwitches(const std::vector<std::string>& arguments,
                                                std::string& unknown) {
  SetupSwitches switches;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument, "/SILENT")) {
      switches.silent = true;
    } else if (IsSwitch(argument, "/DESKTOPICON")) {
      switches.desktopIcon = true;
    } else if (argument.size() > kDirSwitch.size() &&
               IsSwitch(std::string_view(argument).substr(0, kDirSwitch.size()), kDirSwitch)) {
      // The command line's quotes are gone by now ("/DIR=C:\Some Folder"); quotes
      // around the folder alone are taken off here.
      std::string folder = argument.substr(kDirSwitch.size());
      if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
        folder = folder.substr(1, folder.size() - 2);
      }
      switches.destination = folder;
    } else {
      unknown = argument;
      return std::nullopt;
    }
  }
  return switches;
}

int RunSilentSetup(const SetupSwitches& switches) {
  const std::string destination = switches.destination.value_or(kDefaultDestination);
  if (!CreateInstallFolder(destination)) return kSetupFolderOrLogFailed;
  switch (InstallVantrel(destination, {})) {
    case InstallResult::PackageMissing:
      return kSetupPackageMissing;
    case InstallResult::LogNotCreated:
      return kSetupFolderOrLogFailed;
    case InstallResult::Done:
      break;
  }
  if (switches.desktopIcon) CreateDesktopShortcut(destination);
  return kSetupDone;
}

int RunSetup(const std::vector<std::string>& arguments, FolderBrowser browseForFolder) {
  std::string unknown;
  const std::optional<SetupSwitches> switches = ParseSetupSwitches(arguments, unknown);
  if (!switches) {
    ui::Ui().ShowMessage(nullptr,
                         "Unknown switch: " + unknown +
                             "\n\nSetup knows these switches:\n"
                             "/SILENT\t\tinstall without pages or messages\n"
                             "/DIR=\"folder\"\tinstall into this folder\n"
                             "/DESKTOPICON\twith /SILENT, add the desktop shortcut",
                         "Setup", ui::Icon::Exclamation, ui::Buttons::Ok);
    return kSetupBadSwitch;
  }
  if (switches->silent) return RunSilentSetup(*switches);

  SetupSession session;
  if (switches->destination) session.defaultDestination = *switches->destination;
  session.browseForFolder = std::move(browseForFolder);
  RunSetupPage(session, SetupPage::Welcome);
  return kSetupDone;
}

}  // namespace vantrel
