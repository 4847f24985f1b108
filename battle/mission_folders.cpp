// The paths of a game's battle, and the check that keeps a battle list's names inside
// the folders they are joined to.
#include "battle/mission_folders.h"

#include "core/settings.h"

namespace vantrel {

std::optional<MissionFolders> FoldersOf(GameId game) {
  const std::string folder = ReadGameFolder(game);
  if (folder.empty()) return std::nullopt;
  return MissionFolders{folder + "\\KZMISS\\BATTLE.KZB", folder + "\\KZMISS\\",
                        folder + std::string(Game(game).missionFolder)};
}

bool IsPlainFileName(std::string_view name) {
  if (name.find_first_of("\\/:") != std::string_view::npos) return false;
  return name.find_first_not_of(". ") != std::string_view::npos;
}

}  // namespace vantrel
