// Setup as a program: the wizard of pages, or with /SILENT the installation alone, for
// administrators and scripts. The switches:
//   /SILENT          no pages and no messages; the exit code tells how it went
//   /DIR="folder"    the destination folder (the wizard's default, or the silent one)
//   /DESKTOPICON     with /SILENT: the desktop shortcut too
// Any other argument ends Setup with a message that lists these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "setup/setup_pages.h"

namespace vantrel {

// Exit codes.
inline constexpr int kSetupDone = 0;
inline constexpr int kSetupPackageMissing = 1;
inline constexpr int kSetupFolderOrLogFailed = 2;
inline constexpr int kSetupBadSwitch = 3;

struct SetupSwitches {
  bool silent = false;
  bool desktopIcon = false;
  std::optional<std::string> destination;
};

// The switches of the arguments (letter case ignored), or nothing after the first
// argument that is none of them, which `unknown` then receives.
std::optional<SetupSwitches> ParseSetupSwitches(const std::vector<std::string>& arguments,
                                                std::string& unknown);

// The installation without pages: 0 done, 1 no setup package, 2 the folder or the
// install log could not be made.
int RunSilentSetup(const SetupSwitches& switches);

// Setup from its arguments to its exit code; `browseForFolder` serves the Destination
// page's Browse button.
int RunSetup(const std::vector<std::string>& arguments, FolderBrowser browseForFolder);

}  // namespace vantrel
