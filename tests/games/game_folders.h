// The game folders with helpers to lay out executables of a chosen size. The
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
#include "tests/support/game_world.h"

namespace vantrel::testing {

inline constexpr std::array<std::size_t, 4> kReleaseSizes = {1'071'616, 1'422'336, 1'405'952,
                                                             2'151'936};
inline constexpr std::array<std::string_view, 4> kExecutableNames = {
    "TIE95.EXE", "Z_XVT__.EXE", "Z_XVT__.EXE", "XWINGALLIANCE.EXE"};

// `size` bytes of a varied pattern made only of bytes C0 to CC, none of which any patch
// row writes, so that every byte a patch writes shows as a change.
std::string PatternBytes(std::size_t size, unsigned seed = 0);

// Balance of Power installed inside the folder of X-Wing vs. TIE Fighter, as it is.
class GameFoldersTest : public GameWorldTest {
 protected:
  GameFoldersTest() : GameWorldTest({"TIE", "XVT", "XVT\\BalanceOfPower", "XWA"}) {}

  std::string ExecutableOf(GameId game) const { return In(game, kExecutableNames[Index(game)]); }
  std::string BackupOf(GameId game) const { return In(game, "VNTL___.tmp"); }

  // Writes the game's executable with `size` bytes of the pattern and returns them.
  std::string WriteExecutable(GameId game, std::size_t size, unsigned seed = 0);
  std::string WriteRelease(GameId game, unsigned seed = 0) {
    return WriteExecutable(game, kReleaseSizes[Index(game)], seed);
  }
  std::optional<std::string> ReadExecutable(GameId game) const {
    return temp.ReadFile(ExecutableOf(game));
  }
  std::optional<std::string> ReadBackup(GameId game) const { return temp.ReadFile(BackupOf(game)); }
};

}  // namespace vantrel::testing
