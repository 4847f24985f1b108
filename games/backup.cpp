// Backup and restore of a game executable through the file-system seam. The copy moves
// in blocks, and it is renamed into place only when whole.
#include "games/backup.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "platform/file_helpers.h"
#include "platform/path.h"
#include "platform/system_error.h"

namespace vantrel {
namespace {

constexpr std::string_view kBackupName = "\\VNTL___.tmp";
// The copy in progress; a run that breaks off leaves at most this file behind, and the
// next backup overwrites it.
constexpr std::string_view kPartialName = "\\VNTL___.new";
constexpr std::size_t kBlockSize = 64 * 1024;

struct BackupPaths {
  std::string executable;
  std::string backup;
  std::string partial;
};

BackupPaths PathsOf(GameId game) {
  const std::string folder = ReadGameFolder(game);
  return {folder + std::string(Game(game).executable), folder + std::string(kBackupName),
          folder + std::string(kPartialName)};
}

// Writes a new file `to` with every byte of `from`. The copy also takes the times of
// `from` and its permissions, which a restore then gives back to the executable with
// its bytes (on Linux a program put back without the permission to run no longer
// starts); a time or a permission that cannot be set leaves the copy whole, so it does
// not fail the backup.
bool CopyInBlocks(const std::string& from, const std::string& to) {
  platform::FileSystem& files = platform::Files();
  const std::optional<platform::FileTimes> times = files.GetTimes(from);
  const std::unique_ptr<platform::File> source = files.Open(from, platform::OpenMode::Read);
  if (!source) return false;
  const std::unique_ptr<platform::File> target = files.Open(to, platform::OpenMode::CreateAlways);
  if (!target) return false;
  std::vector<char> buffer(kBlockSize);
  for (;;) {
    const std::int64_t count = platform::ReadUpTo(*source, buffer.data(), buffer.size());
    if (count < 0) return false;
    if (count == 0) break;
    if (!target->Write(buffer.data(), static_cast<std::size_t>(count))) return false;
  }
  if (times) target->SetTimes(*times);
  const platform::SavedFailure before;
  if (!files.CopyPermissions(from, to)) before.Restore();
  return true;
}

}  // namespace

std::string GameExeBackupPath(GameId game) { return PathsOf(game).backup; }

bool BackupGameExe(GameId game) {
  const BackupPaths paths = PathsOf(game);
  // The names are longer than the executable's; a folder that leaves room for the
  // executable but not for them is refused before anything is touched (both are of one
  // length).
  static_assert(kBackupName.size() == kPartialName.size());
  if (!platform::PathFitsLimit(paths.partial)) {
    platform::RecordFailure({paths.partial, platform::MakeError(platform::ErrorCode::NameTooLong,
                                                                "path too long")});
    return false;
  }
  platform::FileSystem& files = platform::Files();
  if (!CopyInBlocks(paths.executable, paths.partial) ||
      !files.MoveFile(paths.partial, paths.backup)) {
    // The copy's own failure is the cause, not that of removing what it left.
    const platform::SavedFailure cause;
    files.DeleteFile(paths.partial);
    cause.Restore();
    return false;
  }
  return true;
}

void RemoveUnfinishedBackup(GameId game) {
  const std::string partial = PathsOf(game).partial;
  platform::FileSystem& files = platform::Files();
  if (files.Kind(partial) == platform::PathKind::File) files.DeleteFile(partial);
}

bool RestoreGameExe(GameId game) {
  const BackupPaths paths = PathsOf(game);
  platform::FileSystem& files = platform::Files();
  if (files.Kind(paths.backup) != platform::PathKind::File) return true;
  return files.MoveFile(paths.backup, paths.executable);
}

}  // namespace vantrel
