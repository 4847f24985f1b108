// The pilot tests' common start: the game folders named in the settings store.
#include "tests/pilots/pilot_fixture.h"

#include <algorithm>

namespace vantrel::testing {

PilotTest::PilotTest() {
  for (GameId game : kAllGames) {
    temp.MakeFolder(FolderOf(game));
    settings.SetGameFolder(game, temp.Path(FolderOf(game)));
  }
}

std::string PilotTest::FolderOf(GameId game) {
  constexpr std::string_view kFolders[] = {"TIE", "XVT", "BOP", "XWA"};
  return std::string(kFolders[Index(game)]);
}

std::string PilotTest::In(GameId game, std::string_view relative) {
  return FolderOf(game) + "/" + std::string(relative);
}

std::optional<std::size_t> FirstDifference(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return i;
  }
  if (a.size() != b.size()) return common;
  return std::nullopt;
}

}  // namespace vantrel::testing
