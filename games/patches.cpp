// Writing a patch's rows into its executable.
#include "games/patches.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "core/settings.h"
#include "platform/file_system.h"

namespace vantrel {
namespace {

std::uint64_t EndOfRows(const Patch& patch) {
  std::uint64_t end = 0;
  for (const PatchRow& row : patch.rows) {
    end = std::max<std::uint64_t>(end, row.offset + row.bytes.size());
  }
  return end;
}

}  // namespace

bool ApplyPatch(PatchOption option) {
  const Patch& patch = PatchFor(option);
  const std::string path = GameExePath(patch.game);
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(path, platform::OpenMode::ReadWrite);
  if (!file) return false;
  // A row past the end would make the file longer; such a file is no release the rows
  // were made for, and it is left alone.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size < EndOfRows(patch)) return false;
  // Every row is tried; a row that cannot be written fails the patch, so the player is
  // told that the option is not in effect (and why) instead of playing without it. The
  // restore puts the whole backup back in either case.
  bool written = true;
  for (const PatchRow& row : patch.rows) {
    written = file->Seek(row.offset) && file->Write(row.bytes.data(), row.bytes.size()) && written;
  }
  return written;
}

bool PatchTieRebelFighters() { return ApplyPatch(PatchOption::TieRebelFighters); }
bool PatchTieTransports() { return ApplyPatch(PatchOption::TieTransports); }
bool PatchXvtTransports() { return ApplyPatch(PatchOption::XvtTransports); }
bool PatchBopTransports() { return ApplyPatch(PatchOption::BopTransports); }
bool PatchXwaBriefingAudio() { return ApplyPatch(PatchOption::XwaBriefingAudio); }

}  // namespace vantrel
