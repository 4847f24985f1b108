#include "launcher/play_game.h"

#include <optional>
#include <string>
#include <vector>

#include "battle/clean_up_missions.h"
#include "battle/decrypt_missions.h"
#include "games/backup.h"
#include "games/executables.h"
#include "games/launch_game.h"
#include "games/patches.h"
#include "core/settings.h"
#include "pilots/last_pilot.h"
#include "pilots/pilot_seal.h"
#include "pilots/tie_pilots.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/system_error.h"

namespace vantrel {
namespace {

// Which flag of the Game menu switches each patch on, in the order the patches are
// applied: for TIE Fighter 95 rebel fighters before transports.
struct OptionFlag {
  PatchOption option;
  bool GameOptions::*on;
};

constexpr OptionFlag kOptionFlags[] = {
    {PatchOption::TieRebelFighters, &GameOptions::enableTieRebelFighters},
    {PatchOption::TieTransports, &GameOptions::enableTieTransports},
    {PatchOption::XvtTransports, &GameOptions::enableXvtTransports},
    {PatchOption::BopTransports, &GameOptions::enableBopTransports},
    {PatchOption::XwaBriefingAudio, &GameOptions::enableXwaBriefingAudio},
};

// The options of `game` that are on, in the order they are applied.
std::vector<PatchOption> OptionsOn(GameId game, const GameOptions& options) {
  std::vector<PatchOption> on;
  for (const OptionFlag& flag : kOptionFlags) {
    if (PatchFor(flag.option).game == game && options.*flag.on) on.push_back(flag.option);
  }
  return on;
}

void ShowGameMessage(ui::Window& mainWindow, std::string_view text) {
  ui::ShowVntlMessage(&mainWindow, text, ui::Icon::Exclamation);
}

// The pilot who flew the battle: TIE Fighter 95 names no last pilot, so its pilot is the
// one whose file the game wrote; the others name theirs in their configuration file.
std::optional<std::string> FlownPilot(GameId game, platform::FileTime start) {
  if (game == GameId::TieFighter) return FindFlownTiePilot(start);
  return FindLastPilot(game);
}

// Puts the executable back once it has been backed up, however the sequence ends. When
// that fails after a patch was written, the game's executable is left patched: the player
// is told where the executable as installed is kept and what to do with it.
class ExecutableGuard {
 public:
  ExecutableGuard(ui::Window& mainWindow, GameId game) : mainWindow_(mainWindow), game_(game) {}
  ~ExecutableGuard() { Restore(); }
  ExecutableGuard(const ExecutableGuard&) = delete;
  ExecutableGuard& operator=(const ExecutableGuard&) = delete;

  void BackedUp() { backedUp_ = true; }
  void Patched() { patched_ = true; }
  void Restore() {
    if (backedUp_ && !RestoreGameExe(game_) && patched_) {
      const std::string executable = GameExePath(game_);
      ShowGameMessage(mainWindow_, "Could not put back the executable " + executable +
                                       " after the game; it is still patched. The executable "
                                       "as installed is kept in " + GameExeBackupPath(game_) +
                                       ": copy it over " + executable + " before playing again.");
    }
    backedUp_ = false;
  }

 private:
  ui::Window& mainWindow_;
  GameId game_;
  bool backedUp_ = false;
  bool patched_ = false;
};

}  // namespace

PlayResult PlayGame(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                    const GameOptions& options) {
  platform::ClearLastFailure();
  if (!GameExeExists(game)) {
    // An executable that is there but cannot be read is not missing; the failure of its
    // opening stays recorded for the caller to tell.
    return platform::Files().Kind(GameExePath(game)) == platform::PathKind::File
               ? PlayResult::ExecutableUnreadable
               : PlayResult::ExecutableMissing;
  }

  const GameInfo& info = Game(game);
  ExecutableGuard executable(mainWindow, game);
  // One backup, taken before the first patch, holds the executable as installed. A second
  // one would find the first patch, take the first backup for a leftover of an earlier
  // play and put it back, losing that patch.
  const std::vector<PatchOption> patches = OptionsOn(game, options);
  if (!patches.empty()) {
    if (!IdentifyGameExe(game)) {
      ShowGameMessage(mainWindow, info.wrongVersionMessage);
      return PlayResult::WrongVersion;
    }
    if (!BackupGameExe(game)) {
      ShowGameMessage(mainWindow, info.backupFailedMessage);
      return PlayResult::BackupFailed;
    }
    executable.BackedUp();
  }
  for (PatchOption option : patches) {
    if (!ApplyPatch(option)) {
      ShowGameMessage(mainWindow, info.patchFailedMessage);
      return PlayResult::PatchFailed;
    }
    executable.Patched();
  }

  const bool balanceOfPower = game == GameId::BalanceOfPower;
  if (balanceOfPower) mainWindow.StartTimer(kBopTimer, kBopTimerPeriod);

  bool started = false;
  const std::string battleList = ReadGameFolder(game) + "\\KZMISS\\Battle.kzb";
  if (platform::CanOpenForReading(battleList)) {
    if (!DecryptMissions(mainWindow, status, game)) {
      // The Balance of Power timer keeps running: the pilot mark goes on once a minute.
      if (game == GameId::TieFighter) {
        ui::Ui().ShowMessage(&mainWindow, "No missions copied", "Error", ui::Icon::None,
                             ui::Buttons::Ok);
      }
      return PlayResult::DecryptionFailed;
    }
    const platform::FileTime start = platform::CurrentFileTime();
    if (game == GameId::TieFighter) StampTiePilots(mainWindow, game, start);
    started = LaunchGame(status, game);
    SealPilotFile(game, FlownPilot(game, start));
    CleanUpMissions(mainWindow, status, game);
  } else {
    started = LaunchGame(status, game);
  }

  if (balanceOfPower) mainWindow.StopTimer(kBopTimer);
  executable.Restore();
  status.SetText("Idle");
  return started ? PlayResult::Played : PlayResult::GameNotStarted;
}

}  // namespace vantrel
