// The paths of a game's battle, and the check that keeps a battle list's names inside
// the folders they are joined to.
#include "battle/mission_folders.h"

#include "core/settings.h"
#include "platform/path.h"

namespace vantrel {

std::optional<MissionFolders> FoldersOf(GameId game) {
  const std::string folder = ReadGameFolder(game);
  if (folder.empty()) return std::nullopt;
  return MissionFolders{folder + "\\KZMISS\\BATTLE.KZB", folder + "\\KZMISS\\",
                        folder + std::string(Game(game).missionFolder)};
}

bool IsMissionName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return !platform::FileNameProblem(name) && dot != std::string_view::npos &&
         platform::NamesEqual(name.substr(dot + 1), "tie");
}

}  // namespace vantrel
