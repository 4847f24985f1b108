#include "tests/games/game_folders.h"

namespace vantrel::testing {

std::string PatternBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(0xC0 + (i + seed) % 13);
  return bytes;
}

std::string GameFoldersTest::WriteExecutable(GameId game, std::size_t size, unsigned seed) {
  std::string bytes = PatternBytes(size, seed);
  temp.WriteFile(ExecutableOf(game), bytes);
  return bytes;
}

}  // namespace vantrel::testing
