// The installation sequence that the Copy page's Start button runs (and `Setup /SILENT`
// without pages): the setup package unpacked into the destination folder with the install
// log, the games' folders copied from their own registry entries into the launcher's
// settings, the Start Menu shortcut, the launcher's keys, the battle package type and the
// entry in the list of installed programs. And the desktop shortcut of the End page.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantrel {

enum class InstallResult {
  Done,
  PackageMissing,  // no setup package in the current folder: nothing was done
  LogNotCreated,   // the install log could not be made: nothing was unpacked or registered
};

// Told, for each entry of the package, its name before it is unpacked and how far the
// unpacking has come afterwards, in percent.
struct InstallProgress {
  std::function<void(std::string_view entryName)> entry;
  std::function<void(int percent)> advanced;
};

// The setup package: the current folder followed by "\_Setup.pak".
std::string SetupPackagePath();

// Runs the whole sequence into `destination`, which exists (see CreateInstallFolder).
// Entries that cannot be unpacked, settings that cannot be written and a shortcut that
// cannot be made do not stop it.
InstallResult InstallVantrel(const std::string& destination, const InstallProgress& progress);

// The desktop shortcut to the installed launcher.
void CreateDesktopShortcut(const std::string& destination);

// The installed readme, shown by the shell.
void OpenInstalledReadme(const std::string& destination);

}  // namespace vantrel
