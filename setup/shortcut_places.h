// Where the Start Menu folder and the two shortcuts live. Windows 2000 and XP keep them
// below "Documents and Settings\All Users" on the Windows drive, older systems below the
// Windows folder; Vista and later (and systems that are not Windows) in the folders the
// shell names for all users. Setup makes them there and Uninstall removes them from the
// same places.
#pragma once

#include <string>

namespace vantrel {

struct ShortcutPlaces {
  std::string makerFolder;        // "...\Programs\Morvain Unlimited"
  std::string programFolder;      // makerFolder + "\Vantrel"
  std::string startMenuShortcut;  // programFolder + "\Vantrel.LNK"
  std::string desktopShortcut;    // "...\Desktop\Vantrel.LNK"
};

// The places on this system, asked of the shell.
ShortcutPlaces FindShortcutPlaces();

// True on Windows 2000 and XP (major version 5), whose profiles live below
// "Documents and Settings".
bool HasDocumentsAndSettingsProfiles();

}  // namespace vantrel
