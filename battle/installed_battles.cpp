// Reading each game's staged battle name.
#include "battle/installed_battles.h"

#include <memory>

#include "battle/battle_list.h"
#include "battle/mission_folders.h"
#include "platform/file_system.h"

namespace vantrel {

std::optional<std::string> InstalledBattle(GameId game) {
  const std::optional<MissionFolders> folders = FoldersOf(game);
  std::unique_ptr<platform::File> battleListFile;
  if (folders) {
    battleListFile = platform::Files().Open(folders->battleList, platform::OpenMode::Read);
  }
  if (!battleListFile) return std::nullopt;
  return ReadBattleList(*battleListFile).name;
}

std::array<std::string, 4> InstalledBattleNames() {
  std::array<std::string, 4> names;
  for (GameId game : kAllGames) {
    names[Index(game)] = InstalledBattle(game).value_or("No battle installed");
  }
  return names;
}

}  // namespace vantrel
