// The launch: the game folder, the command of the game, and the wait through the
// process seam.
#include "games/launch_game.h"

#include <string>
#include <string_view>

#include "core/settings.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace vantrel {

bool LaunchGame(ui::StatusLine& status, GameId game) {
  // The launcher stands in the game folder while the game runs, as the game does, and
  // returns to its own folder afterwards, so that nothing later depends on which game
  // was played last.
  platform::FileSystem& files = platform::Files();
  const std::string folder = ReadGameFolder(game);
  const std::string launcherFolder = files.CurrentFolder();
  files.SetCurrentFolder(folder);

  platform::GameProcess process;
  process.program = folder + std::string(Game(game).executable);
  if (const std::string_view argument = Game(game).launchArgument; !argument.empty()) {
    process.arguments.emplace_back(argument);
  }
  process.workingFolder = folder;

  status.SetText("Game running...");
  const bool played = platform::RunAndWait(process).has_value();
  files.SetCurrentFolder(launcherFolder);
  return played;
}

}  // namespace vantrel
