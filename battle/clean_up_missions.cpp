// Clean-up after play. Only mission names that stay inside the mission folder are acted
// on, so a battle list can never make the launcher delete anything elsewhere, nor a file
// of the game's own.
#include "battle/clean_up_missions.h"

#include <memory>
#include <optional>
#include <string>

#include "battle/battle_list.h"
#include "battle/mission_folders.h"
#include "platform/file_system.h"

namespace vantrel {

bool CleanUpMissions(ui::Window& mainWindow, ui::StatusLine& status, GameId game) {
  platform::FileSystem& files = platform::Files();
  const std::optional<MissionFolders> folders = FoldersOf(game);
  std::unique_ptr<platform::File> battleListFile;
  if (folders) battleListFile = files.Open(folders->battleList, platform::OpenMode::Read);
  if (!battleListFile) {
    ui::ShowVntlMessage(&mainWindow, "Error reading battle.kzb!");
    return false;
  }

  status.SetText("Cleaning up files...");
  const BattleList list = ReadBattleList(*battleListFile);
  for (const std::string& name : list.missions) {
    if (IsMissionName(name)) files.DeleteFile(folders->missions + name);
  }
  return true;
}

}  // namespace vantrel
