// The decisions that finish a play, over the file-system seam. Executables are read
// whole (1 to 2 MB) to be compared.
#include "games/finish_play.h"

#include <optional>
#include <span>
#include <string_view>

#include "core/settings.h"
#include "games/backup.h"
#include "games/patches.h"
#include "games/play_journal.h"
#include "platform/file_helpers.h"
#include "platform/path.h"

namespace vantrel {
namespace {

using Executable = PlayFinish::Executable;

// Something of the play cannot be put back now; the system's reason is kept.
void LeaveUnfinished(PlayFinish& finish) {
  finish.finished = false;
  if (!finish.cause) finish.cause = platform::LastFailure();
}

void CouldNotPutBack(PlayFinish& finish) {
  finish.executable = Executable::CouldNotPutBack;
  LeaveUnfinished(finish);
}

// The name a backup that cannot be put back is kept under: the executable's name with
// ".before-vantrel", and a number when a file of that name is there already.
std::optional<std::string> KeepBackupAside(GameId game) {
  platform::FileSystem& files = platform::Files();
  const std::string stem = GameExePath(game) + ".before-vantrel";
  for (int number = 1; number < 100; ++number) {
    const std::string name = number == 1 ? stem : stem + "-" + std::to_string(number);
    if (!platform::PathFitsLimit(name)) return std::nullopt;
    if (files.Kind(name) != platform::PathKind::Missing) continue;
    if (files.MoveFile(GameExeBackupPath(game), name)) return name;
    return std::nullopt;
  }
  return std::nullopt;
}

// The executable is left as it is, and the backup beside it kept under another name.
void KeepExecutableAndBackup(GameId game, PlayFinish& finish) {
  if (std::optional<std::string> kept = KeepBackupAside(game)) {
    finish.executable = Executable::ChangedSince;
    finish.keptBackup = std::move(*kept);
  } else {
    CouldNotPutBack(finish);
  }
}

void PutBackupInPlace(GameId game, PlayFinish& finish) {
  if (RestoreGameExe(game)) {
    finish.executable = Executable::PutBack;
  } else {
    CouldNotPutBack(finish);
  }
}

void RemoveNeedlessBackup(GameId game, PlayFinish& finish) {
  if (!platform::Files().DeleteFile(GameExeBackupPath(game))) {
    finish.executable = Executable::BackupLeft;
    LeaveUnfinished(finish);
  }
}

// True when `executable` differs from `backup` only in bytes that a patch of the game
// writes, each holding that patch's value.
bool DiffersOnlyByPatches(GameId game, std::string_view executable, std::string_view backup) {
  if (executable.size() != backup.size()) return false;
  for (std::size_t i = 0; i < executable.size(); ++i) {
    if (executable[i] == backup[i]) continue;
    bool patched = false;
    for (const Patch& patch : AllPatches()) {
      if (patch.game != game) continue;
      for (const PatchRow& row : patch.rows) {
        if (i >= row.offset && i - row.offset < row.bytes.size() &&
            row.bytes[i - row.offset] == executable[i]) {
          patched = true;
        }
      }
    }
    if (!patched) return false;
  }
  return true;
}

// A backup without a journal to say what it is a copy of.
void FinishLoneBackup(GameId game, PlayFinish& finish) {
  const platform::WholeFile executable = platform::ReadWholeFile(GameExePath(game));
  const platform::WholeFile backup = platform::ReadWholeFile(GameExeBackupPath(game));
  if (backup.status != platform::WholeFile::Status::Read ||
      executable.status == platform::WholeFile::Status::Unreadable) {
    CouldNotPutBack(finish);
  } else if (executable.status == platform::WholeFile::Status::Read &&
             executable.bytes == backup.bytes) {
    RemoveNeedlessBackup(game, finish);
  } else if (executable.status == platform::WholeFile::Status::Read &&
             DiffersOnlyByPatches(game, executable.bytes, backup.bytes)) {
    PutBackupInPlace(game, finish);
  } else {
    KeepExecutableAndBackup(game, finish);
  }
}

void FinishJournalExecutable(GameId game, const PlayJournal& journal, bool backupThere,
                             PlayFinish& finish) {
  if (!journal.executable) {
    // The play changed no executable; a backup beside it is an older version's.
    if (backupThere) FinishLoneBackup(game, finish);
    return;
  }
  const platform::WholeFile executable = platform::ReadWholeFile(GameExePath(game));
  const platform::WholeFile backup =
      backupThere ? platform::ReadWholeFile(GameExeBackupPath(game)) : platform::WholeFile{};
  // An executable or backup that is there but cannot be read (in use, or its rights taken
  // away) tells nothing of what it holds. Setting the backup aside as if the player had
  // changed the executable would leave a patched executable for good; everything stays
  // with the journal for the next run instead.
  if (backupThere && (executable.status == platform::WholeFile::Status::Unreadable ||
                      backup.status != platform::WholeFile::Status::Read)) {
    CouldNotPutBack(finish);
    return;
  }
  std::optional<ExecutableState> now;
  if (executable.status == platform::WholeFile::Status::Read) now = StateOfBytes(executable.bytes);
  const bool backupIsInstalled = backupThere && StateOfBytes(backup.bytes) == journal.executable;
  if (now && now == journal.patched && now != journal.executable) {
    if (backupIsInstalled) {
      PutBackupInPlace(game, finish);
    } else {
      // Without a whole copy of the executable as installed there is nothing to put
      // back; a backup of something else is kept for the player to judge.
      finish.executable = Executable::StillPatched;
      if (backupThere) {
        if (std::optional<std::string> kept = KeepBackupAside(game)) {
          finish.keptBackup = std::move(*kept);
        } else {
          CouldNotPutBack(finish);
        }
      }
    }
  } else if (now && now == journal.executable) {
    if (backupIsInstalled) {
      RemoveNeedlessBackup(game, finish);
    } else if (backupThere) {
      KeepExecutableAndBackup(game, finish);
    }
  } else if (backupThere) {
    KeepExecutableAndBackup(game, finish);
  }
}

void RemoveMissions(GameId game, const PlayJournal& journal, PlayFinish& finish) {
  platform::FileSystem& files = platform::Files();
  const std::string folder = ReadGameFolder(game) + std::string(Game(game).missionFolder);
  for (const std::string& mission : journal.missions) {
    const std::string path = folder + mission;
    if (files.Kind(path) == platform::PathKind::Missing) continue;
    if (files.DeleteFile(path)) {
      ++finish.missionsRemoved;
    } else {
      finish.missionsLeft.push_back(mission);
      LeaveUnfinished(finish);
    }
  }
}

}  // namespace

PlayFinish FinishPlay(GameId game) {
  PlayFinish finish;
  platform::ClearLastFailure();
  if (ReadGameFolder(game).empty()) return finish;
  const bool backupThere =
      platform::Files().Kind(GameExeBackupPath(game)) == platform::PathKind::File;
  const JournalFound found = ReadPlayJournal(game);
  switch (found.status) {
    case JournalFound::Status::Missing:
      if (!backupThere) return finish;
      finish.found = PlayFinish::Found::BackupWithoutJournal;
      FinishLoneBackup(game, finish);
      break;
    case JournalFound::Status::Damaged:
      finish.found = PlayFinish::Found::DamagedJournal;
      if (backupThere) FinishLoneBackup(game, finish);
      break;
    case JournalFound::Status::Read:
      finish.found = PlayFinish::Found::Journal;
      if (found.journal.backupTaken) RemoveUnfinishedBackup(game);
      FinishJournalExecutable(game, found.journal, backupThere, finish);
      RemoveMissions(game, found.journal, finish);
      break;
  }
  if (finish.finished && !RemovePlayJournal(game)) LeaveUnfinished(finish);
  return finish;
}

}  // namespace vantrel
