// Reading each game's staged battle name.
#include "battle/installed_battles.h"

#include <memory>
#include <optional>

#include "battle/battle_list.h"
#include "battle/mission_folders.h"
#include "platform/file_system.h"

namespace vantrel {
namespace {

std::string InstalledBattleName(GameId game) {
  const std::optional<MissionFolders> folders = FoldersOf(game);
  std::unique_ptr<platform::File> battleListFile;
  if (folders) battleListFile = platform::Files().Open(folders->battleList, platform::OpenMode::Read);
  if (!battleListFile) return "No battle installed";
  return ReadBattleList(*battleListFile).name;
}

}  // namespace

std::array<std::string, 4> InstalledBattleNames() {
  std::array<std::string, 4> names;
  for (GameId game : kAllGames) names[Index(game)] = InstalledBattleName(game);
  return names;
}

}  // namespace vantrel
