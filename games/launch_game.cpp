// The launch: the game folder, the command of the game, and the wait through the
// process seam.
#include "games/launch_game.h"

#include <array>
#include <string>
#include <string_view>

#include "games/executables.h"
#include "launcher/settings.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

// The argument each game is started with: X-Wing vs. TIE Fighter and Balance of Power
// skip their introduction with "skipintro".
constexpr std::array<std::string_view, 4> kArguments = {"", "skipintro", "skipintro", ""};

}  // namespace

bool LaunchGame(ui::Window& mainWindow, GameId game) {
  // The launcher stands in the game folder while the game runs, as the game does, and
  // returns to its own folder afterwards, so that nothing later depends on which game
  // was played last.
  platform::FileSystem& files = platform::Files();
  const std::string folder = ReadGameFolder(game);
  const std::string launcherFolder = files.CurrentFolder();
  files.SetCurrentFolder(folder);

  platform::GameProcess process;
  process.program = folder + std::string(Executable(game).name);
  if (const std::string_view argument = kArguments[Index(game)]; !argument.empty()) {
    process.arguments.emplace_back(argument);
  }
  process.workingFolder = folder;

  mainWindow.SetItemText(IDC_STATUS_LINE, "Game running...");
  const bool played = platform::RunAndWait(process).has_value();
  files.SetCurrentFolder(launcherFolder);
  return played;
}

}  // namespace vantrel
