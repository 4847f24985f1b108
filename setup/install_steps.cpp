// The installation sequence, step by step. Every step works through the platform's seams
// (files, settings store, shell), so the sequence runs the same against the registry and
// a real Start Menu as against a registry file and temporary folders.
#include "setup/install_steps.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

#include "core/game_table.h"
#include "core/settings.h"
#include "package/entry_name.h"
#include "package/package_archive.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "setup/install_folder.h"
#include "setup/installed_system.h"
#include "setup/shortcut_places.h"

namespace vantrel {
namespace {

constexpr std::string_view kShortcutDescription = "VNTL";
constexpr std::string_view kPublisher = "Morvain Unlimited";

// Balance of Power records no folder of its own: it lives below X-Wing vs. TIE Fighter.
constexpr std::string_view kBalanceOfPowerBelowXvt = "\\BalanceOfPower";

// The install log, written a line at a time so that a log of an interrupted run still
// names what was unpacked before the interruption.
class InstallLog {
 public:
  explicit InstallLog(const std::string& path)
      : file_(platform::Files().Open(path, platform::OpenMode::CreateAlways)) {}

  bool isOpen() const { return file_ != nullptr; }

  void WriteLine(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    file_->Write(line.data(), line.size());
  }

 private:
  std::unique_ptr<platform::File> file_;
};

// Unpacks every entry into the destination and names it in the log. An entry whose name
// would lead outside the destination is neither written (the extraction layer refuses
// it) nor logged, so the uninstaller can never be pointed outside the install folder by
// a package. Gives the unpacked bytes of the logged files.
std::uint64_t UnpackPackage(PackageArchive& archive, const std::string& destination,
                            InstallLog& log, const InstallProgress& progress) {
  const unsigned long count = archive.GetEntryCount();
  std::uint64_t bytes = 0;
  if (count == 0 || !archive.GoToFirstEntry()) return bytes;
  for (long index = 0;; ++index) {
    PackageEntryInfo info;
    const bool known = archive.GetCurrentEntryInfo(info);
    if (progress.entry) progress.entry(info.name);
    archive.ExtractEntryAt(index, destination, false);
    if (progress.advanced) {
      progress.advanced(static_cast<int>((index + 1.0) / static_cast<double>(count) * 100.0));
    }
    if (known && IsSafeEntryName(info.name)) {
      log.WriteLine(info.name);
      if (!info.isFolder) bytes += info.uncompressedSize;
    }
    if (!archive.GoToNextEntry()) break;
  }
  return bytes;
}

// The game's folder as its own registry entry holds it, whole; a missing key or value,
// or one longer than a path can be, gives the empty text.
std::string ReadLucasArtsFolder(std::string_view key) {
  std::optional<std::string> folder = platform::Settings().ReadString(key, kInstallPathValue);
  if (!folder || !platform::PathFitsLimit(*folder)) return {};
  return std::move(*folder);
}

void SetGameFolder(GameId game, std::string_view folder) {
  platform::Settings().CreateKey(GameKey(game));
  WriteGameFolder(game, folder);
}

void CopyGameFolders() {
  for (const GameId game : kAllGames) {
    const std::string_view installKey = Game(game).installKey;
    if (installKey.empty()) continue;
    const std::string folder = ReadLucasArtsFolder(installKey);
    SetGameFolder(game, folder);
    if (game == GameId::XwingVsTie) {
      SetGameFolder(GameId::BalanceOfPower, folder + std::string(kBalanceOfPowerBelowXvt));
    }
  }
}

void CreateStartMenuShortcut(const std::string& destination) {
  const ShortcutPlaces places = FindShortcutPlaces();
  CreateInstallFolder(places.programFolder);
  platform::DesktopShell().CreateShortcut(destination + "\\VNTL.EXE", places.startMenuShortcut,
                                          std::string(kShortcutDescription));
}

void RegisterLauncher(const std::string& destination) {
  platform::SettingsStore& store = platform::Settings();
  store.CreateKey(kLauncherKey);
  store.WriteString(kLauncherKey, kInstallPathValue, destination);
  store.WriteString(kLauncherKey, kLastDirValue, "C:\\");
}

// A package opens with the launcher and shows the launcher's own icon (the launcher's
// help file is no icon, so naming it would leave packages without one).
void RegisterPackageType(const std::string& destination) {
  platform::SettingsStore& store = platform::Settings();
  store.CreateKey(kPackageExtensionKey);
  store.WriteString(kPackageExtensionKey, "", kPackageTypeName);
  store.CreateKey(kPackageTypeKey);
  store.CreateKey(kPackageIconKey);
  store.WriteString(kPackageIconKey, "", destination + "\\VNTL.exe,0");
  store.CreateKey(kPackageOpenKey);
  store.WriteString(kPackageOpenKey, "", "\"" + destination + "\\VNTL.exe\" \"%1\"");
  platform::DesktopShell().NotifyAssociationsChanged();
}

// The entry in the list of installed programs, with what that list shows of a program:
// its icon, version, publisher, folder and size in KiB; it offers removal only.
void RegisterUninstallEntry(const std::string& destination, std::uint64_t installedBytes) {
  platform::SettingsStore& store = platform::Settings();
  store.CreateKey(kUninstallKey);
  store.WriteString(kUninstallKey, "DisplayName", "Vantrel");
  store.WriteString(kUninstallKey, "UninstallString", destination + "\\Uninstall.exe");
  store.WriteString(kUninstallKey, "DisplayIcon", destination + "\\VNTL.exe,0");
  store.WriteString(kUninstallKey, "DisplayVersion", VANTREL_VERSION);
  store.WriteString(kUninstallKey, "Publisher", kPublisher);
  store.WriteString(kUninstallKey, "InstallLocation", destination);
  const std::uint64_t kibibytes = (installedBytes + 1023) / 1024;
  store.WriteNumber(kUninstallKey, "EstimatedSize",
                    static_cast<std::uint32_t>(std::min<std::uint64_t>(
                        kibibytes, std::numeric_limits<std::uint32_t>::max())));
  store.WriteNumber(kUninstallKey, "NoModify", 1);
  store.WriteNumber(kUninstallKey, "NoRepair", 1);
}

}  // namespace

std::string SetupPackagePath() {
  return platform::Files().CurrentFolder() + std::string(kSetupPackageName);
}

InstallResult InstallVantrel(const std::string& destination, const InstallProgress& progress) {
  const std::string packagePath = SetupPackagePath();
  if (!platform::CanOpenForReading(packagePath)) return InstallResult::PackageMissing;

  PackageArchive archive;
  archive.OpenPackage(packagePath);
  std::uint64_t installedBytes = 0;
  {
    InstallLog log(destination + std::string(kInstallLogName));
    if (!log.isOpen()) {
      archive.ClosePackage();
      return InstallResult::LogNotCreated;
    }
    log.WriteLine(destination);
    installedBytes = UnpackPackage(archive, destination, log, progress);
    archive.ClosePackage();
  }

  CopyGameFolders();
  CreateStartMenuShortcut(destination);
  RegisterLauncher(destination);
  RegisterPackageType(destination);
  RegisterUninstallEntry(destination, installedBytes);
  return InstallResult::Done;
}

void CreateDesktopShortcut(const std::string& destination) {
  platform::DesktopShell().CreateShortcut(destination + "\\VNTL.exe",
                                          FindShortcutPlaces().desktopShortcut,
                                          std::string(kShortcutDescription));
}

void OpenInstalledReadme(const std::string& destination) {
  platform::DesktopShell().OpenDocument(destination + "\\Readme.txt");
}

}  // namespace vantrel
