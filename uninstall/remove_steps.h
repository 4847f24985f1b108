// Uninstall's three removal steps: the files the install log names, the registry entries
// Setup made (and each player's own launcher settings), and the shortcuts with their
// Start Menu folders. None reports a failure: whatever cannot be removed stays, and the
// next step runs.
#pragma once

#include <string>

namespace vantrel {

// The install log of the installed system: the launcher's folder from the settings,
// followed by "\install.log"; empty when no folder is recorded.
std::string InstallLogPath();

// True when the install log can be opened for reading.
bool InstallLogFound();

// Deletes every file the log names, then the folders it names that are left empty
// (deepest first), then the log, the launcher's lock file and its Temp folder when
// empty, and last the install folder if nothing is left in it. The log is read one name
// a line, so a name with blanks is one file. Names are taken below the folder the log
// was found in; a name that is absolute, carries a drive or holds a ".." component is
// skipped, so nothing outside the install folder is touched whatever the log says.
void RemoveInstalledFiles();

// Deletes the launcher's key below "Software\Morvain Unlimited" (which stays), the
// package type, the entry of the list of installed programs, and the launcher's key of
// the user who uninstalls; then tells the shell that associations changed.
void RemoveRegistryEntries();

// Deletes the desktop and Start Menu shortcuts, then the program's and the maker's Start
// Menu folders if they are empty, from the places Setup made them.
void RemoveShortcuts();

}  // namespace vantrel
