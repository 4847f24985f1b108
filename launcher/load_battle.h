// Loading a battle package: the launcher's Temp folder is created, the package unpacked
// into it with its stored folder names, its readme handed to a viewer, and the battle
// staged into the folders of the game its battle list names. The launcher runs these
// steps for the package a player chose or opened from the shell; `vantrel load` runs
// them without a viewer.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "battle/stage_battle.h"
#include "package/package_archive.h"
#include "platform/system_error.h"
#include "ui/window.h"

namespace vantrel {

struct LoadResult {
  bool packageOpened = false;
  bool packageUnpacked = false;  // every entry was extracted
  // Why the package could not be opened or unpacked, where the system said; staging
  // runs after it and meets failures of its own.
  std::optional<platform::Failure> unpackFailure;
  StagingResult staging;
};

// Shown the path of the readme in Temp ("...\Temp\Readme.txt"), whether or not the
// package brought one; the launcher opens it and pauses before staging.
using ReadmeViewer = std::function<void(const std::string& readmePath)>;

// The unpack-and-stage steps. Results along the way do not stop the sequence: a package
// that cannot be opened still lets staging take what an earlier load left in Temp.
LoadResult UnpackAndStageBattle(PackageArchive& archive, const std::string& packagePath,
                                const ReadmeViewer& showReadme = {});

// The package given on the launcher's command line: unpacked and staged, then the
// installed battles shown. The file chooser is not used and "Last Dir" stays.
LoadResult LoadCommandLinePackage(ui::Window& mainWindow, PackageArchive& archive,
                                  const std::string& packagePath, const ReadmeViewer& showReadme);

// Asks for a package starting in the given folder; the chosen file's full path, or the
// empty text when the player cancelled.
using BattleFileChooser = std::function<std::string(const std::string& initialFolder)>;

// "&Load Battle": the player chooses a package in the folder of the last one; its
// folder becomes the new "Last Dir", and it is loaded as a command-line package is.
// Empty when the chooser was cancelled; nothing has changed then.
std::optional<LoadResult> LoadBattle(ui::Window& mainWindow, PackageArchive& archive,
                                     const BattleFileChooser& chooseBattleFile,
                                     const ReadmeViewer& showReadme);

}  // namespace vantrel
