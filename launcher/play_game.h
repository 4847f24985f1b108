// Playing a game from the launcher: the executable is checked, backed up and patched for
// the options the player switched on, the staged battle's missions are deciphered into
// place, the game runs, the pilot who flew is sealed, the plain missions go again and
// the executable is put back. The main window's game buttons and `vantrel play` run it.
// The play is one operation: the last failure is cleared as it begins, so a message of
// the play is followed (in `vantrel`) by a cause the play itself met.
#pragma once

#include "core/game_table.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel {

// The Game menu's option toggles; all off at the start of every run of the launcher.
struct GameOptions {
  bool enableTieRebelFighters = false;  // 40014 "Enable Rebel Fighters"
  bool enableTieTransports = false;     // 40010 "Enable Transports" (TIE Fighter 95)
  bool enableXvtTransports = false;     // 40017 "Enable Transports" (X-Wing vs. TIE Fighter)
  bool enableBopTransports = false;     // 40019 "Enable Transports" (Balance of Power)
  bool enableXwaBriefingAudio = false;  // 40011 "Enable Custom Briefing Audio"
};

// The main window's timer that marks the Balance of Power pilot while that game's play
// sequence runs, and its period.
inline constexpr int kBopTimer = 1;
inline constexpr int kBopTimerPeriod = 60'000;

enum class PlayResult {
  ExecutableMissing,     // nothing done, nothing shown
  ExecutableUnreadable,  // it is there but cannot be opened: the last failure says why;
                         // nothing done, nothing shown
  WrongVersion,       // the executable is not the release the patches are for
  BackupFailed,
  PatchFailed,
  DecryptionFailed,   // the battle's missions could not be put in place
  Played,             // the sequence ran to its end ("Idle")
  GameNotStarted,     // ran to its end, but the game itself could not be started
};

// The play sequence for `game` with the options of that game that are on. Once the
// executable has been backed up, every way out puts it back. Messages are owned by
// `mainWindow`; what the sequence is doing is told to `status`, which ends at "Idle".
PlayResult PlayGame(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                    const GameOptions& options);

}  // namespace vantrel
