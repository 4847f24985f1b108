// The per-game folder literals, and the check that keeps a battle list's names inside
// the folders they are joined to.
#include "battle/mission_folders.h"

#include "launcher/settings.h"

namespace vantrel {

std::string_view MissionFolderLiteral(GameId game) {
  switch (game) {
    case GameId::TieFighter:
      return "\\MISSION\\";
    case GameId::XwingVsTie:
    case GameId::BalanceOfPower:
      return "\\TRAIN\\";
    case GameId::XwingAlliance:
      return "\\MISSIONS\\";
  }
  return "\\MISSIONS\\";
}

std::optional<MissionFolders> FoldersOf(GameId game) {
  const std::string folder = ReadGameFolder(game);
  if (folder.empty()) return std::nullopt;
  return MissionFolders{folder + "\\KZMISS\\BATTLE.KZB", folder + "\\KZMISS\\",
                        folder + std::string(MissionFolderLiteral(game))};
}

bool IsPlainFileName(std::string_view name) {
  if (name.find_first_of("\\/:") != std::string_view::npos) return false;
  return name.find_first_not_of(". ") != std::string_view::npos;
}

}  // namespace vantrel
