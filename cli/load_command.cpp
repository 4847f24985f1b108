// `vantrel load PACKAGE`: the launcher's load of a package given on its command line
// (Temp created, the package unpacked and staged; no file chooser, no readme viewer,
// "Last Dir" left alone), then a report of where the battle went and the battles now
// installed, one line per game as `vantrel battles` prints them.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "launcher/load_battle.h"
#include "core/settings.h"
#include "platform/path.h"

namespace vantrel::cli {
namespace {

using Outcome = StagingResult::Outcome;

// Says what became of the load and gives its exit status.
int ReportLoad(const std::string& package, const LoadResult& result) {
  const StagingResult& staging = result.staging;

  if (staging.outcome == Outcome::LauncherFolderUnset) {
    return FailLauncherFolderUnset();
  }
  if (!result.packageOpened) return Fail("cannot open package " + package, result.unpackFailure);
  const std::string temp = platform::WithNativeSeparators(ReadLauncherFolder() + "\\Temp");
  if (!result.packageUnpacked) {
    Fail(WithCause(package + ": not every entry could be unpacked into " + temp,
                   result.unpackFailure));
  }

  switch (staging.outcome) {
    case Outcome::LauncherFolderUnset:
    case Outcome::Staged:
      break;
    case Outcome::NoBattleList:
      // A package that could not be unpacked has said why; its battle list is in it.
      if (!result.packageUnpacked) return Fail("nothing was staged");
      return Fail("the package holds no battle list (battle.kzb); nothing was staged");
    case Outcome::UnknownGame:
      return Fail("the battle list names game " + std::to_string(staging.gameByte) +
                  ", not one of 0 to 3; nothing was staged");
    case Outcome::GameFolderUnset:
      return FailFolderUnset(*staging.game);
    case Outcome::NoMissions:
      return Fail("the package holds no missions (*.tie); nothing was staged");
  }

  const GameInfo& game = Game(*staging.game);
  // The launcher's paths hold backslashes; the user sees the system's separator.
  const std::string folder = platform::WithNativeSeparators(ReadGameFolder(*staging.game));
  if (!staging.battleListStaged) {
    return Fail("the battle list could not be placed in " +
                    platform::WithNativeSeparators(folder + "\\KZMISS"),
                staging.battleListFailure);
  }
  std::printf("%s: battle staged in %s\n", std::string(game.name).c_str(), folder.c_str());
  if (!staging.temporaryFolderRemoved) {
    std::fprintf(stderr, "vantrel: some files stayed in %s\n", temp.c_str());
  }
  return 0;
}

}  // namespace

int LoadCommand(const Options&, const std::vector<std::string>& words) {
  if (words.size() != 1) return UsageError("load takes one PACKAGE");
  const std::string& package = words[0];

  PackageArchive archive;
  const LoadResult result = UnpackAndStageBattle(archive, package);
  const int status = ReportLoad(package, result);
  // As the launcher refreshes its labels after every load, whatever became of it.
  PrintInstalledBattles();
  return status;
}

}  // namespace vantrel::cli
