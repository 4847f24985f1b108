#include "tests/support/game_world.h"

namespace vantrel::testing {

GameWorld::GameWorld(const Folders& folders) : folders_(folders) {
  for (GameId game : kAllGames) {
    temp.MakeFolder(FolderOf(game));
    settings.SetGameFolder(game, temp.Path(FolderOf(game)));
  }
}

void GameWorld::LayOutLauncher() {
  temp.MakeFolder("launcher");
  settings.SetLauncherFolder(temp.Path("launcher"));
}

}  // namespace vantrel::testing
