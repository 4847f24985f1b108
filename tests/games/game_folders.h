// A fixture with the four game folders in a temporary folder, registered in a settings
// store of the test's own, and helpers to lay out executables of a chosen size. The
// names and release sizes are typed here from the games, not taken from the code under
// test, so that a wrong table there is caught.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/game_table.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel::testing {

inline constexpr std::array<std::size_t, 4> kReleaseSizes = {1'071'616, 1'422'336, 1'405'952,
                                                             2'151'936};
inline constexpr std::array<std::string_view, 4> kExecutableNames = {
    "TIE95.EXE", "Z_XVT__.EXE", "Z_XVT__.EXE", "XWINGALLIANCE.EXE"};

// `size` bytes of a varied pattern made only of bytes C0 to CC, none of which any patch
// row writes, so that every byte a patch writes shows as a change.
std::string PatternBytes(std::size_t size, unsigned seed = 0);

class GameFoldersTest : public ::testing::Test {
 protected:
  GameFoldersTest();

  // The game's folder relative to the temporary folder ("XVT\BalanceOfPower").
  static std::string_view FolderOf(GameId game);
  // A file of the game's folder, relative to the temporary folder.
  static std::string InGame(GameId game, std::string_view name);
  static std::string ExecutableOf(GameId game) {
    return InGame(game, kExecutableNames[Index(game)]);
  }
  static std::string BackupOf(GameId game) { return InGame(game, "VNTL___.tmp"); }

  // Writes the game's executable with `size` bytes of the pattern and returns them.
  std::string WriteExecutable(GameId game, std::size_t size, unsigned seed = 0);
  std::string WriteRelease(GameId game, unsigned seed = 0) {
    return WriteExecutable(game, kReleaseSizes[Index(game)], seed);
  }
  std::optional<std::string> ReadExecutable(GameId game) const {
    return temp.ReadFile(ExecutableOf(game));
  }
  std::optional<std::string> ReadBackup(GameId game) const { return temp.ReadFile(BackupOf(game)); }

  TempFolder temp;
  ScopedSettings settings;
};

}  // namespace vantrel::testing
