// The removal steps, over the platform's seams only.
#include "uninstall/remove_steps.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/operation_lock.h"
#include "core/settings.h"
#include "package/entry_name.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/file_helpers.h"
#include "setup/installed_system.h"
#include "setup/shortcut_places.h"

namespace vantrel {

std::string InstallLogPath() {
  const std::string folder = ReadLauncherFolder();
  if (folder.empty()) return {};
  return folder + std::string(kInstallLogName);
}

bool InstallLogFound() {
  const std::string log = InstallLogPath();
  return !log.empty() && platform::CanOpenForReading(log);
}

void RemoveInstalledFiles() {
  const std::string folder = ReadLauncherFolder();
  const std::string logPath = InstallLogPath();
  if (logPath.empty()) return;
  const platform::WholeFile log = platform::ReadWholeFile(logPath);
  if (log.status != platform::WholeFile::Status::Read) return;

  platform::FileSystem& files = platform::Files();
  const std::vector<std::string_view> lines = platform::SplitLines(log.bytes);
  // The first line is the folder Setup installed into. Names are taken below the folder
  // the log was found in instead, so a log copied or edited elsewhere cannot lead the
  // removal into another folder.
  std::vector<std::string> folders;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view name = lines[i];
    if (name.empty() || !IsSafeEntryName(name)) continue;
    const std::string path = folder + "\\" + std::string(name);
    if (name.back() == '\\' || name.back() == '/') {
      folders.push_back(path.substr(0, path.size() - 1));
    } else {
      files.DeleteFile(path);
    }
  }
  // The package lists a folder before what it holds, so the deepest come last.
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) files.RemoveFolder(*it);
  files.DeleteFile(logPath);
  // What the launcher makes in its folder as it runs (the operation lock, the Temp
  // folder a load unpacks into) is in no log, yet it is the system's own: left behind,
  // it would keep the folder from ever being removed. A Temp still holding files and a
  // folder holding anything else stay.
  files.DeleteFile(folder + kOperationLockName);
  files.RemoveFolder(folder + "\\Temp");
  files.RemoveFolder(folder);
}

void RemoveRegistryEntries() {
  platform::SettingsStore& store = platform::Settings();
  store.DeleteKeyTree(kLauncherKey);
  store.DeleteKeyTree(kPackageExtensionKey);
  store.DeleteKeyTree(kPackageTypeKey);
  store.DeleteKeyTree(kUninstallKey);
  store.DeleteKeyTree(kPerUserLauncherKey);
  platform::DesktopShell().NotifyAssociationsChanged();
}

void RemoveShortcuts() {
  const ShortcutPlaces places = FindShortcutPlaces();
  platform::FileSystem& files = platform::Files();
  files.DeleteFile(places.desktopShortcut);
  files.DeleteFile(places.startMenuShortcut);
  files.RemoveFolder(places.programFolder);
  files.RemoveFolder(places.makerFolder);
}

}  // namespace vantrel
