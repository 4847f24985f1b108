#include "launcher/load_battle.h"

#include "launcher/finish_interrupted_play.h"
#include "launcher/installed_battles_labels.h"
#include "launcher/one_operation.h"
#include "core/settings.h"
#include "platform/file_helpers.h"
#include "platform/path.h"
#include "platform/file_system.h"
#include "platform/system_error.h"

namespace vantrel {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// The folder of the game the package's battle list names, read from the package itself
// before anything is unpacked; empty when there is no such game or folder, which staging
// reports later.
std::string GameFolderNamedBy(PackageArchive& archive) {
  if (!archive.GoToEntryNamed("battle.kzb")) return {};
  std::optional<char> first;
  const auto problem = archive.ReadCurrentEntry([&](std::string_view piece) {
    if (!first && !piece.empty()) first = piece.front();
  });
  if (problem || !first) return {};
  const std::optional<GameId> game = GameFromByte(static_cast<std::uint8_t>(*first));
  return game ? ReadGameFolder(*game) : std::string();
}

// A refusal when `needed` bytes do not fit the free space of the volume that holds
// `folder`. A volume whose free space the system cannot tell is not held against the
// package; the unpacking then meets a full disk as a write error.
std::optional<platform::Failure> LackOfRoom(const std::string& folder, std::uint64_t needed) {
  const platform::SavedFailure before;
  const std::optional<std::uint64_t> free = platform::Files().FreeSpace(folder);
  before.Restore();
  if (!free || *free >= needed) return std::nullopt;
  // What is needed is rounded up and what is free down, so the two never read alike.
  const std::uint64_t neededMegabytes = (needed + kMegabyte - 1) / kMegabyte;
  return platform::Failure{
      folder, platform::MakeError(platform::ErrorCode::DiskFull,
                                  "needs " + std::to_string(neededMegabytes) + " MB, " +
                                      std::to_string(*free / kMegabyte) + " MB free")};
}

// Unpacks the open package into Temp; why it was not unpacked whole, or nothing. Staging
// moves the files from Temp into the game folder, so the package must fit both volumes
// (one volume counts once: a move inside it takes no room).
std::optional<platform::Failure> Unpack(PackageArchive& archive, const std::string& temp) {
  if (const std::optional<std::uint64_t> needed = archive.DeclaredSize()) {
    if (auto lack = LackOfRoom(temp, *needed)) return lack;
    const std::string gameFolder = GameFolderNamedBy(archive);
    if (!gameFolder.empty()) {
      if (auto lack = LackOfRoom(gameFolder, *needed)) return lack;
    }
  }
  if (archive.ExtractPackage(temp, false)) return std::nullopt;
  return archive.extractionFailure().value_or(platform::Failure{
      {}, platform::MakeError(platform::ErrorCode::Damaged, "the package cannot be unpacked")});
}

}  // namespace

std::string UnpackFailureMessage(const platform::Failure& failure) {
  return "Error unpacking the battle package!\n\n" + failure.Describe() +
         "\n\nThe battle was not installed.";
}

LoadResult UnpackAndStageBattle(PackageArchive& archive, const std::string& packagePath,
                                const ReadmeViewer& showReadme, ui::Window* owner) {
  platform::ClearLastFailure();
  LoadResult result;
  const std::string launcherFolder = ReadLauncherFolder();
  // Without a launcher folder, Temp would be made at the root of the drive.
  if (launcherFolder.empty()) {
    result.staging.outcome = StagingResult::Outcome::LauncherFolderUnset;
    return result;
  }
  const std::optional<platform::FileLock> lock = BeginOperation(owner);
  if (!lock) {
    result.otherOperationRunning = true;
    return result;
  }
  // The battle staged may be one an interrupted play left its plain missions of; that
  // play is finished under the lock, before anything is staged.
  FinishInterruptedPlays(owner);
  const std::string temp = launcherFolder + "\\Temp";
  {
    // An existing Temp is no error; one that cannot be made fails the unpacking, which
    // says why.
    const platform::SavedFailure before;
    platform::Files().CreateFolder(temp);
    before.Restore();
  }

  result.packageOpened = archive.OpenPackage(packagePath);
  if (result.packageOpened) {
    result.unpackFailure = Unpack(archive, temp);
    result.packageUnpacked = !result.unpackFailure;
  } else {
    result.unpackFailure = platform::LastFailure();
  }
  archive.ClosePackage();
  if (result.packageOpened && result.unpackFailure) {
    // Half a package is never staged, and its files are not left for the next load to
    // stage with another battle.
    platform::RemoveFolderTree(temp);
    return result;
  }

  if (showReadme) showReadme(launcherFolder + "\\Temp\\Readme.txt");
  result.staging = StageBattle();
  return result;
}

LoadResult LoadCommandLinePackage(ui::Window& mainWindow, PackageArchive& archive,
                                  const std::string& packagePath, const ReadmeViewer& showReadme) {
  const LoadResult result = UnpackAndStageBattle(archive, packagePath, showReadme, &mainWindow);
  // A package that cannot be opened is not told: staging takes what Temp held before.
  if (result.packageOpened && result.unpackFailure) {
    // The message tells the cause itself.
    platform::ClearLastFailure();
    ui::ShowVntlMessage(&mainWindow, UnpackFailureMessage(*result.unpackFailure),
                        ui::Icon::Exclamation);
  }
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
