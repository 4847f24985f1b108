#include "launcher/play_game.h"

#include <optional>
#include <string>
#include <vector>

#include "battle/clean_up_missions.h"
#include "battle/decrypt_missions.h"
#include "games/backup.h"
#include "games/executables.h"
#include "games/finish_play.h"
#include "games/launch_game.h"
#include "games/patches.h"
#include "games/play_journal.h"
#include "launcher/finish_interrupted_play.h"
#include "core/settings.h"
#include "launcher/one_operation.h"
#include "pilots/last_pilot.h"
#include "pilots/pilot_seal.h"
#include "pilots/tie_pilots.h"
#include "platform/clock.h"
#include "platform/file_helpers.h"
#include "platform/file_system.h"
#include "platform/interruption.h"
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

// Keeps the play journal of one play: it is written before each change the play makes
// in the game folder, and however the play ends, the play is finished from it (the
// executable put back, the plain missions removed, the journal removed) and the player
// told of anything left to do.
class PlayJournalKeeper {
 public:
  PlayJournalKeeper(ui::Window& mainWindow, GameId game) : mainWindow_(mainWindow) {
    journal_.game = game;
  }
  ~PlayJournalKeeper() { Finish(); }
  PlayJournalKeeper(const PlayJournalKeeper&) = delete;
  PlayJournalKeeper& operator=(const PlayJournalKeeper&) = delete;

  // Before the backup: the executable as it is and what the patches will make of it.
  bool RecordPatches(const std::vector<PatchOption>& patches) {
    const platform::WholeFile executable = platform::ReadWholeFile(GameExePath(journal_.game));
    if (executable.status != platform::WholeFile::Status::Read) return false;
    std::string patched = executable.bytes;
    for (PatchOption option : patches) {
      if (!WriteRows(PatchFor(option), patched)) return false;
    }
    journal_.backupTaken = true;
    journal_.executable = StateOfBytes(executable.bytes);
    journal_.patched = StateOfBytes(patched);
    return Write();
  }

  // Before a plain mission is written.
  bool RecordMission(const std::string& name) {
    journal_.missions.push_back(name);
    return Write();
  }

  void Finish() {
    if (!written_) return;
    written_ = false;
    ShowPlayFinishMessages(&mainWindow_, journal_.game, FinishPlay(journal_.game), true);
  }

 private:
  bool Write() {
    // Once anything has been asked to be written, the play is finished from whatever
    // journal is on disk, even when this write failed.
    written_ = true;
    return WritePlayJournal(journal_);
  }

  ui::Window& mainWindow_;
  PlayJournal journal_;
  bool written_ = false;
};

bool Interrupted() { return platform::CaughtInterruption() != 0; }

}  // namespace

PlayResult PlayGame(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                    const GameOptions& options) {
  const std::optional<platform::FileLock> lock = BeginOperation(&mainWindow);
  if (!lock) return PlayResult::OtherOperationRunning;
  platform::ClearLastFailure();
  if (!GameExeExists(game)) {
    // An executable that is there but cannot be read is not missing; the failure of its
    // opening stays recorded for the caller to tell.
    return platform::Files().Kind(GameExePath(game)) == platform::PathKind::File
               ? PlayResult::ExecutableUnreadable
               : PlayResult::ExecutableMissing;
  }

  // A play cut short earlier is finished before this one changes anything.
  if (!FinishInterruptedPlay(&mainWindow, game)) return PlayResult::EarlierPlayUnfinished;

  const GameInfo& info = Game(game);
  PlayJournalKeeper journal(mainWindow, game);
  // One backup, taken before the first patch, holds the executable as installed; the
  // journal records it and what all the patches together make of the executable.
  const std::vector<PatchOption> patches = OptionsOn(game, options);
  if (!patches.empty()) {
    if (!IdentifyGameExe(game)) {
      ShowGameMessage(mainWindow, info.wrongVersionMessage);
      return PlayResult::WrongVersion;
    }
    if (!journal.RecordPatches(patches) || !BackupGameExe(game)) {
      ShowGameMessage(mainWindow, info.backupFailedMessage);
      return PlayResult::BackupFailed;
    }
  }
  // A patch that cannot be written leaves the executable as it was, and finishing the
  // play then removes the backup beside it.
  for (PatchOption option : patches) {
    if (!ApplyPatch(option)) {
      ShowGameMessage(mainWindow, info.patchFailedMessage);
      return PlayResult::PatchFailed;
    }
  }
  if (Interrupted()) return PlayResult::Interrupted;

  const bool balanceOfPower = game == GameId::BalanceOfPower;
  if (balanceOfPower) mainWindow.StartTimer(kBopTimer, kBopTimerPeriod);

  bool started = false;
  const std::string battleList = ReadGameFolder(game) + "\\KZMISS\\Battle.kzb";
  if (platform::CanOpenForReading(battleList)) {
    const auto record = [&](const std::string& name) { return journal.RecordMission(name); };
    if (!DecryptMissions(mainWindow, status, game, record)) {
      // The Balance of Power timer keeps running: the pilot mark goes on once a minute.
      if (game == GameId::TieFighter) {
        ui::Ui().ShowMessage(&mainWindow, "No missions copied", "Error", ui::Icon::None,
                             ui::Buttons::Ok);
      }
      return PlayResult::DecryptionFailed;
    }
    if (Interrupted()) return PlayResult::Interrupted;
    const platform::FileTime start = platform::CurrentFileTime();
    if (game == GameId::TieFighter) StampTiePilots(mainWindow, game, start);
    started = LaunchGame(status, game);
    // A game ended from outside was not flown to its end; its pilot gets no seal.
    if (!Interrupted()) SealPilotFile(game, FlownPilot(game, start));
    CleanUpMissions(mainWindow, status, game);
  } else if (!Interrupted()) {
    started = LaunchGame(status, game);
  }

  if (balanceOfPower) mainWindow.StopTimer(kBopTimer);
  journal.Finish();
  status.SetText("Idle");
  if (Interrupted()) return PlayResult::Interrupted;
  return started ? PlayResult::Played : PlayResult::GameNotStarted;
}

}  // namespace vantrel
