#include "battle/stage_battle.h"

#include <array>
#include <string_view>
#include <vector>

#include "battle/battle_list.h"
#include "core/settings.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace vantrel {
namespace {

using Outcome = StagingResult::Outcome;

// The folders are read once per staging: they cannot change while it runs, and a
// package of thousands of files would otherwise read the settings store thousands of
// times.
class Stager {
 public:
  Stager(std::string launcherFolder, std::string gameFolder)
      : temp_(std::move(launcherFolder) + "\\Temp\\"), game_(std::move(gameFolder)) {}

  // A search of Temp; false when it returned nothing. With `firstOnly` only the first
  // entry is moved.
  bool MoveMatches(std::string_view pattern, std::string_view destination, bool firstOnly) const {
    const std::vector<platform::FoundEntry> found =
        platform::Files().Find(temp_ + std::string(pattern));
    if (found.empty()) return false;
    // The files go in one batch, which lets the file system look at each folder once
    // rather than at each file's whole path.
    const std::string folder = game_ + std::string(destination);
    std::vector<std::string> names;
    for (const platform::FoundEntry& entry : found) {
      if (!entry.isFolder && Fits(entry.name, folder)) names.push_back(entry.name);
      if (firstOnly) break;
    }
    platform::Files().MoveFiles(temp_, names, folder);
    return true;
  }

  // Moves one file out of Temp into `destinationFolder` (which ends with a separator),
  // replacing a file of that name; true when the file is in place. A file that could not
  // be placed stays in Temp, so no battle file is ever lost: a move removes its source
  // only once the file is in place, across volumes too.
  bool MoveFromTemp(const std::string& name, const std::string& destinationFolder) const {
    if (!Fits(name, destinationFolder)) return false;
    return platform::Files().MoveFile(temp_ + name, destinationFolder + name);
  }

  const std::string& temp() const { return temp_; }

 private:
  // A file whose path in Temp or in its destination is over the limit stays in Temp.
  bool Fits(const std::string& name, const std::string& destinationFolder) const {
    return platform::PathFitsLimit(temp_ + name) &&
           platform::PathFitsLimit(destinationFolder + name);
  }

  std::string temp_;
  std::string game_;
};

// The battle's game; empty when the battle list is missing or empty.
std::optional<std::uint8_t> ReadGameByte(const std::string& battleList) {
  auto file = platform::Files().Open(battleList, platform::OpenMode::Read);
  if (!file) return std::nullopt;
  return ReadBattleList(*file).game;
}

}  // namespace

StagingResult StageBattle() {
  StagingResult result;
  const std::string launcherFolder = ReadLauncherFolder();
  if (launcherFolder.empty()) {
    result.outcome = Outcome::LauncherFolderUnset;
    return result;
  }

  const std::optional<std::uint8_t> gameByte = ReadGameByte(launcherFolder + "\\Temp\\battle.kzb");
  if (!gameByte) {
    result.outcome = Outcome::NoBattleList;
    return result;
  }
  result.gameByte = *gameByte;
  result.game = GameFromByte(*gameByte);
  if (!result.game) {
    result.outcome = Outcome::UnknownGame;
    return result;
  }

  // With no game folder every path would begin at the root of the drive; a battle is
  // never scattered there.
  const std::string gameFolder = ReadGameFolder(*result.game);
  if (gameFolder.empty()) {
    result.outcome = Outcome::GameFolderUnset;
    return result;
  }

  const Stager stager(launcherFolder, gameFolder);
  platform::FileSystem& files = platform::Files();
  files.CreateFolder(gameFolder + "\\KZMISS");
  files.CreateFolder(gameFolder + "\\MISC");

  if (!stager.MoveMatches("*.tie", "\\KZMISS\\", false)) {
    result.outcome = Outcome::NoMissions;
    return result;
  }
  result.outcome = Outcome::Staged;
  result.battleListStaged = stager.MoveFromTemp("Battle.kzb", gameFolder + "\\KZMISS\\");
  if (!result.battleListStaged) result.battleListFailure = platform::LastFailure();

  for (const StagingStep& step : Game(*result.game).stagingSteps) {
    const bool found = stager.MoveMatches(step.pattern, step.destination,
                                          step.kind == StagingStep::Kind::FirstMatch);
    if (!found && step.kind == StagingStep::Kind::EveryMatch) return result;
  }

  files.CreateFolder(gameFolder + "\\Misc");
  if (!stager.MoveMatches("*.*", "\\Misc\\", false)) return result;
  result.planCompleted = true;
  result.temporaryFolderRemoved = files.RemoveFolder(stager.temp());
  return result;
}

}  // namespace vantrel
