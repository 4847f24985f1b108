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

namespace vantrel {
namespace {

// The options of `game` that are on, in the order they are applied: for TIE Fighter 95
// rebel fighters before transports.
std::vector<PatchOption> OptionsOn(GameId game, const GameOptions& options) {
  std::vector<PatchOption> on;
  switch (game) {
    case GameId::TieFighter:
      if (options.enableTieRebelFighters) on.push_back(PatchOption::TieRebelFighters);
      if (options.enableTieTransports) on.push_back(PatchOption::TieTransports);
      break;
    case GameId::XwingVsTie:
      if (options.enableXvtTransports) on.push_back(PatchOption::XvtTransports);
      break;
    case GameId::BalanceOfPower:
      if (options.enableBopTransports) on.push_back(PatchOption::BopTransports);
      break;
    case GameId::XwingAlliance:
      if (options.enableXwaBriefingAudio) on.push_back(PatchOption::XwaBriefingAudio);
      break;
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

// Puts the executable back once it has been backed up, however the sequence ends.
class ExecutableGuard {
 public:
  explicit ExecutableGuard(GameId game) : game_(game) {}
  ~ExecutableGuard() { Restore(); }
  ExecutableGuard(const ExecutableGuard&) = delete;
  ExecutableGuard& operator=(const ExecutableGuard&) = delete;

  void BackedUp() { backedUp_ = true; }
  void Restore() {
    if (backedUp_) RestoreGameExe(game_);
    backedUp_ = false;
  }

 private:
  GameId game_;
  bool backedUp_ = false;
};

}  // namespace

PlayResult PlayGame(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                    const GameOptions& options) {
  if (!GameExeExists(game)) return PlayResult::ExecutableMissing;

  const GameInfo& info = Game(game);
  ExecutableGuard executable(game);
  for (PatchOption option : OptionsOn(game, options)) {
    if (!IdentifyGameExe(game)) {
      ShowGameMessage(mainWindow, info.wrongVersionMessage);
      return PlayResult::WrongVersion;
    }
    if (!BackupGameExe(game)) {
      ShowGameMessage(mainWindow, info.backupFailedMessage);
      return PlayResult::BackupFailed;
    }
    executable.BackedUp();
    if (!ApplyPatch(option)) {
      ShowGameMessage(mainWindow, info.patchFailedMessage);
      return PlayResult::PatchFailed;
    }
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
