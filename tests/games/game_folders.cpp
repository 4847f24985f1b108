#include "tests/games/game_folders.h"

namespace vantrel::testing {
namespace {

constexpr std::array<std::string_view, 4> kFolders = {"TIE", "XVT", "XVT\\BalanceOfPower", "XWA"};

}  // namespace

std::string PatternBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(0xC0 + (i + seed) % 13);
  return bytes;
}

GameFoldersTest::GameFoldersTest() {
  for (GameId game : kAllGames) {
    temp.MakeFolder(FolderOf(game));
    settings.SetGameFolder(game, temp.Path(FolderOf(game)));
  }
}

std::string_view GameFoldersTest::FolderOf(GameId game) { return kFolders[Index(game)]; }

std::string GameFoldersTest::InGame(GameId game, std::string_view name) {
  return std::string(FolderOf(game)) + "\\" + std::string(name);
}

std::string GameFoldersTest::WriteExecutable(GameId game, std::size_t size, unsigned seed) {
  std::string bytes = PatternBytes(size, seed);
  temp.WriteFile(ExecutableOf(game), bytes);
  return bytes;
}

}  // namespace vantrel::testing
