// The stand-in game the tests launch in place of a real one (stand_in_game.cpp): copied
// into a folder under a game's executable name, it records how it was started in
// "launch.log" beside itself.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::testing {

// One start of the stand-in, as it saw it.
struct LaunchRecord {
  std::string program;                 // its argv[0]
  std::string folder;                  // its current folder
  std::vector<std::string> arguments;  // argv[1] on
  std::string mark;                    // $STAND_IN_MARK, empty when unset
};

// Copies the stand-in game to `target` and makes it executable.
void InstallStandInGame(const std::filesystem::path& target);

// Makes the stand-in installed in `folder` exit with `code`.
void SetStandInExitCode(const std::filesystem::path& folder, int code);

// Every start recorded in `folder`, in order; none when it never ran there.
std::vector<LaunchRecord> ReadLaunchLog(const std::filesystem::path& folder);

}  // namespace vantrel::testing
