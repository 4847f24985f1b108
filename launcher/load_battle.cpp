#include "launcher/load_battle.h"

#include "launcher/installed_battles_labels.h"
#include "core/settings.h"
#include "platform/path.h"
#include "platform/file_system.h"
#include "platform/system_error.h"

namespace vantrel {

LoadResult UnpackAndStageBattle(PackageArchive& archive, const std::string& packagePath,
                                const ReadmeViewer& showReadme) {
  platform::ClearLastFailure();
  LoadResult result;
  const std::string launcherFolder = ReadLauncherFolder();
  // Without a launcher folder, Temp would be made at the root of the drive.
  if (launcherFolder.empty()) {
    result.staging.outcome = StagingResult::Outcome::LauncherFolderUnset;
    return result;
  }
  const std::string temp = launcherFolder + "\\Temp";
  {
    // An existing Temp is no error; one that cannot be made fails the unpacking, which
    // says why.
    const platform::SavedFailure before;
    platform::Files().CreateFolder(temp);
    before.Restore();
  }

  result.packageOpened = archive.OpenPackage(packagePath);
  result.packageUnpacked = result.packageOpened && archive.ExtractPackage(temp, false);
  if (!result.packageUnpacked) result.unpackFailure = platform::LastFailure();
  archive.ClosePackage();

  if (showReadme) showReadme(launcherFolder + "\\Temp\\Readme.txt");
  result.staging = StageBattle();
  return result;
}

LoadResult LoadCommandLinePackage(ui::Window& mainWindow, PackageArchive& archive,
                                  const std::string& packagePath, const ReadmeViewer& showReadme) {
  const LoadResult result = UnpackAndStageBattle(archive, packagePath, showReadme);
  ShowInstalledBattles(mainWindow);
  return result;
}

std::optional<LoadResult> LoadBattle(ui::Window& mainWindow, PackageArchive& archive,
                                     const BattleFileChooser& chooseBattleFile,
                                     const ReadmeViewer& showReadme) {
  const std::string package = chooseBattleFile(ReadLastDir());
  if (package.empty()) return std::nullopt;
  // C:\Battles\b1.kzm gives C:\Battles; D:\b1.kzm gives the bare D:.
  WriteLastDir(platform::FolderPart(package));
  return LoadCommandLinePackage(mainWindow, archive, package, showReadme);
}

}  // namespace vantrel
