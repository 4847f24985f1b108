// The TIE Fighter 95 pilot files live directly in the game folder. Only their minute is
// compared, not the whole time: a game that ends within the minute it started, or a
// whole number of hours later to the minute, finds no pilot.
#include "pilots/tie_pilots.h"

#include "core/settings.h"
#include "platform/path.h"

namespace vantrel {
namespace {

constexpr platform::FileTime kTicksPerMinute = 600'000'000;

// The flown pilot's file name was kept in 20 bytes with its NUL.
constexpr std::size_t kMaxPilotFileName = 19;

void ShowNoPilots(ui::Window* owner) {
  ui::Ui().ShowMessage(owner, "no pilots", " ", ui::Icon::None, ui::Buttons::Ok);
}

std::vector<platform::FoundEntry> FindPilotFiles(GameId game, const std::string& folder) {
  return platform::Files().Find(folder + "\\" + std::string(Game(game).pilotFiles));
}

}  // namespace

unsigned MinuteOf(platform::FileTime t) {
  return static_cast<unsigned>((t / kTicksPerMinute) % 60);
}

void StampTiePilots(ui::Window& mainWindow, GameId game, platform::FileTime t) {
  const std::string folder = ReadGameFolder(game);
  const std::vector<platform::FoundEntry> found = FindPilotFiles(game, folder);
  if (found.empty()) {
    ShowNoPilots(&mainWindow);
    return;
  }
  platform::FileTimes stamp;
  stamp.lastWrite = t;
  for (const platform::FoundEntry& entry : found) {
    if (!entry.isFolder) platform::Files().SetTimes(folder + "\\" + entry.name, stamp);
  }
}

std::optional<std::string> FindFlownTiePilot(platform::FileTime t) {
  const std::string folder = ReadGameFolder(GameId::TieFighter);
  const std::vector<platform::FoundEntry> found = FindPilotFiles(GameId::TieFighter, folder);
  if (found.empty()) {
    ShowNoPilots(nullptr);
    return std::nullopt;
  }
  std::optional<std::string> flown;
  for (const platform::FoundEntry& entry : found) {
    if (entry.isFolder || platform::CountPathCharacters(entry.name) > kMaxPilotFileName) continue;
    const std::optional<platform::FileTimes> times =
        platform::Files().GetTimes(folder + "\\" + entry.name);
    if (!times || !times->lastWrite) continue;
    if (MinuteOf(*times->lastWrite) != MinuteOf(t)) flown = entry.name;
  }
  return flown;
}

}  // namespace vantrel
