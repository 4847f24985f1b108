// Staging sorts an unpacked battle package out of the launcher's Temp folder into the
// folders of the game its battle list names: the enciphered missions and the battle list
// into the game's staging folder KZMISS, the few files the game reads itself into the
// game's own folders, everything else into MISC; then Temp is removed if it is empty.
// It keeps no copy of a file it replaces and never deletes anything outside Temp.
#pragma once

#include <optional>
#include <string>

#include "core/game_table.h"
#include "platform/system_error.h"

namespace vantrel {

struct StagingResult {
  enum class Outcome {
    LauncherFolderUnset,  // no launcher folder, so no Temp to stage from
    NoBattleList,         // Temp holds no battle list, or an empty one
    UnknownGame,          // the battle list's first byte is above 3
    GameFolderUnset,      // the game's folder is not set; nothing is written
    NoMissions,           // Temp holds no "*.tie" file; nothing moved
    Staged,               // the plan ran (see the flags for how far)
  };

  Outcome outcome = Outcome::NoBattleList;
  std::optional<GameId> game;
  std::uint8_t gameByte = 0;
  bool battleListStaged = false;  // "Battle.kzb" is now in the staging folder
  // Why the battle list could not be placed; later steps meet failures of their own.
  std::optional<platform::Failure> battleListFailure;
  bool planCompleted = false;     // every plan step ran (false: a step found nothing)
  bool temporaryFolderRemoved = false;
};

// Stages whatever the Temp folder holds. The launcher examines no result; `vantrel`
// reports it.
StagingResult StageBattle();

}  // namespace vantrel
