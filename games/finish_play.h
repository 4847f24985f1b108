// Finishing a play: everything a play changed in a game folder is put back, whether the
// play ended as it should or was cut short (the launcher killed, the machine switched
// off) and is found by a later run. The play journal (games/play_journal.h) says what
// the play changed; the backup is put back over the executable only when the executable
// is exactly the patched file the journal recorded, so a build the player installed
// since is never overwritten.
//
// A backup "\VNTL___.tmp" found without a journal was left by an older version. It is
// put back only when the executable differs from it in nothing but bytes that one of
// this game's patches writes, and holds the patched values there; anything else means
// the player changed the executable, and the backup is only kept under another name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/game_table.h"
#include "platform/system_error.h"

namespace vantrel {

struct PlayFinish {
  enum class Found {
    Nothing,               // no journal and no backup: nothing to finish
    Journal,               // a play's journal
    DamagedJournal,        // a journal that cannot be read; handled as a lone backup
    BackupWithoutJournal,  // a backup left by an older version
  };
  enum class Executable {
    Untouched,        // as installed, or never patched; a needless backup was removed
    PutBack,          // the backup replaced the patched executable
    ChangedSince,     // neither the installed nor the patched file: left as it is, the
                      // backup kept as `keptBackup`
    StillPatched,     // patched, and no backup of the installed file to put back
    CouldNotPutBack,  // a file operation failed: executable, backup and journal stay
    BackupLeft,       // as installed, but the needless backup could not be deleted: it
                      // and the journal stay
  };

  Found found = Found::Nothing;
  Executable executable = Executable::Untouched;
  std::string keptBackup;                  // ChangedSince (and StillPatched with an odd backup)
  int missionsRemoved = 0;
  std::vector<std::string> missionsLeft;   // plain missions that could not be deleted
  // The journal is removed once nothing of the play is left to finish; otherwise it
  // stays for the next run to try again, and `cause` says why it could not be finished.
  bool finished = true;
  std::optional<platform::Failure> cause;
};

// Finishes the play recorded in the game's folder, if any. Without a game folder there
// is nothing to finish.
PlayFinish FinishPlay(GameId game);

}  // namespace vantrel
