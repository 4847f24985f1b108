// The folders and settings a battle load needs, laid out under one root folder for the
// benchmarks: four game folders with the subfolders the staging plans move files into,
// a launcher folder, and a settings file in the registry export format that points at
// them, so that `vantrel --registry ROOT/registry.reg load PACKAGE` runs without Setup.
#pragma once

#include <filesystem>

namespace vantrel::bench {

// Creates ROOT/games/{TIE,XVT,BOP,XWA} with their subfolders, ROOT/launcher, and writes
// ROOT/registry.reg. `root` must be absolute; existing folders are kept.
void WriteInstallLayout(const std::filesystem::path& root);

}  // namespace vantrel::bench
