// Loading a battle package: the launcher's Temp folder is created, the package unpacked
// into it with its stored folder names, its readme handed to a viewer, and the battle
// staged into the folders of the game its battle list names. The launcher runs these
// steps for the package a player chose or opened from the shell; `vantrel load` runs
// them without a viewer.
#pragma once

#include <functional>
#include <string>

#include "battle/stage_battle.h"
#include "package/package_archive.h"

namespace vantrel {

struct LoadResult {
  bool packageOpened = false;
  bool packageUnpacked = false;  // every entry was extracted
  StagingResult staging;
};

// Shown the path of the readme in Temp ("...\Temp\Readme.txt"), whether or not the
// package brought one; the launcher opens it and pauses before staging.
using ReadmeViewer = std::function<void(const std::string& readmePath)>;

// The unpack-and-stage steps. Results along the way do not stop the sequence: a package
// that cannot be opened still lets staging take what an earlier load left in Temp.
LoadResult UnpackAndStageBattle(PackageArchive& archive, const std::string& packagePath,
                                const ReadmeViewer& showReadme = {});

}  // namespace vantrel
