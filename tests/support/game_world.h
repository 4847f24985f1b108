// The world the subsystem tests start from: a temporary folder holding the four game
// folders, each named in a settings store of the test's own, and on request the
// launcher's folder. Suites derive from it and add only what differs (a recording
// desktop, executables, battles).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/game_table.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel::testing {

class GameWorld {
 public:
  // Each game's folder relative to the temporary folder, in GameId order.
  using Folders = std::array<std::string_view, 4>;
  static constexpr Folders kGameFolders = {"TIE", "XVT", "BOP", "XWA"};

  explicit GameWorld(const Folders& folders = kGameFolders);

  // The game's folder relative to the temporary folder ("XVT"), and `relative` inside it
  // ("XVT/config.cfg"), for TempFolder's fixture helpers.
  std::string FolderOf(GameId game) const { return std::string(folders_[Index(game)]); }
  std::string In(GameId game, std::string_view relative) const {
    return FolderOf(game) + "/" + std::string(relative);
  }

  // Makes the launcher's folder "launcher" and names it in the settings.
  void LayOutLauncher();

  TempFolder temp;
  ScopedSettings settings;

 private:
  Folders folders_;
};

// A test fixture over a GameWorld.
class GameWorldTest : public ::testing::Test, public GameWorld {
 protected:
  explicit GameWorldTest(const Folders& folders = kGameFolders) : GameWorld(folders) {}
};

}  // namespace vantrel::testing
