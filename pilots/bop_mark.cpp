// Marking the first Balance of Power pilot. The mark runs once a minute while its timer
// is on, so it writes only into a file long enough to have the byte, never growing one.
#include "pilots/bop_mark.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game_table.h"
#include "core/settings.h"
#include "platform/file_system.h"

namespace vantrel {
namespace {

constexpr std::uint64_t kMarkOffset = 0x12782;

}  // namespace

void MarkBopPilot() {
  const std::string folder = ReadGameFolder(GameId::BalanceOfPower);
  const std::string pilotFiles(Game(GameId::BalanceOfPower).pilotFiles);
  const std::vector<platform::FoundEntry> found =
      platform::Files().Find(folder + "\\" + pilotFiles);
  if (found.empty()) return;
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(folder + "\\" + found.front().name, platform::OpenMode::ReadWrite);
  if (!file) return;
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size <= kMarkOffset) return;
  const std::uint8_t mark = 0x01;
  if (file->Seek(kMarkOffset)) file->Write(&mark, 1);
}

}  // namespace vantrel
