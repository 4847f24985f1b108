// What Setup leaves on a machine and Uninstall takes away again: the install log, the
// registry keys of the file type and of the list of installed programs, and the
// per-user settings key. Both programs name them from here.
#pragma once

#include <string_view>

namespace vantrel {

// The install log in the install folder: the folder on its first line, then one
// installed name a line, relative to the folder.
inline constexpr std::string_view kInstallLogName = "\\install.log";

// The setup package, looked for in Setup's current folder.
inline constexpr std::string_view kSetupPackageName = "\\_Setup.pak";

// The launcher's own key's parent, which stays when the launcher's key goes.
inline constexpr std::string_view kMakerKey = "Software\\Morvain Unlimited";

// Each player's own settings of the launcher.
inline constexpr std::string_view kPerUserLauncherKey =
    "HKEY_CURRENT_USER\\Software\\Morvain Unlimited\\VNTL";

// The battle package type: ".kzm" names the type "kzm_ext", which holds its icon and
// the command that opens a package with the launcher.
inline constexpr std::string_view kPackageExtensionKey = "HKEY_CLASSES_ROOT\\.kzm";
inline constexpr std::string_view kPackageTypeName = "kzm_ext";
inline constexpr std::string_view kPackageTypeKey = "HKEY_CLASSES_ROOT\\kzm_ext";
inline constexpr std::string_view kPackageIconKey = "HKEY_CLASSES_ROOT\\kzm_ext\\DefaultIcon";
inline constexpr std::string_view kPackageOpenKey =
    "HKEY_CLASSES_ROOT\\kzm_ext\\shell\\open\\command";

// The system's list of installed programs.
inline constexpr std::string_view kUninstallParentKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel";

}  // namespace vantrel
