// The backup that makes a patch last one game run: before a patch the executable is
// copied to "\VNTL___.tmp" in its game folder, and after the game the copy is put back.
//
// The copy is written under "\VNTL___.new" and renamed to "\VNTL___.tmp" only once it is
// complete, so a "\VNTL___.tmp" that exists is always a whole copy. A play that stops
// between patch and restore leaves it behind beside a patched executable; the play
// journal says what it is, and the next run finishes that play (games/finish_play.h)
// before any new backup is taken.
#pragma once

#include <string>

#include "core/game_table.h"

namespace vantrel {

// The game folder followed by "\VNTL___.tmp".
std::string GameExeBackupPath(GameId game);

// True when the backup holds every byte of the executable. False, with the folder as it
// was, when the executable cannot be read or the copy cannot be written or renamed into
// place. A backup already there is replaced.
bool BackupGameExe(GameId game);

// Deletes a copy that a backup left half made when its program was ended during it; such
// a copy is never put back.
void RemoveUnfinishedBackup(GameId game);

// Puts the backup in place of the executable in one rename, so there is no moment without
// an executable; without a backup the executable is left as it is, and that is success.
// False when the rename fails (a read-only or busy executable): both files then stay as
// they were, the executable as installed in the backup.
bool RestoreGameExe(GameId game);

}  // namespace vantrel
