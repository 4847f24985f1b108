// Listing the pilot files. A pilot is listed by the name inside its file, not by its file
// name: the game shows the stored name, and a renamed file keeps it.
#include "pilots/xwa_pilot_list.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/game_table.h"
#include "core/settings.h"
#include "pilots/xwa_roster.h"
#include "platform/file_helpers.h"
#include "platform/path.h"

namespace vantrel {
namespace {

// The name field and one byte more are read: a name that fills the field without its
// NUL still ends here.
constexpr std::size_t kNameBytesRead = 13;

// The stored name of a pilot file: the text up to the first NUL of its first 13 bytes.
std::optional<std::string> ReadStoredName(const std::string& path) {
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(path, platform::OpenMode::Read);
  if (!file) return std::nullopt;
  const std::optional<std::string> bytes = platform::ReadUpTo(*file, kNameBytesRead);
  if (!bytes) return std::nullopt;
  return bytes->substr(0, bytes->find('\0'));
}

}  // namespace

std::optional<std::size_t> SelectString(const std::vector<std::string>& entries,
                                        std::size_t startAfter, std::string_view prefix) {
  if (entries.empty() || prefix.empty()) return std::nullopt;
  const std::string wanted = platform::FoldCase(prefix);
  for (std::size_t step = 1; step <= entries.size(); ++step) {
    const std::size_t index = (startAfter + step) % entries.size();
    if (platform::FoldCase(entries[index]).starts_with(wanted)) return index;
  }
  return std::nullopt;
}

PilotList ReadXwaPilotList(ui::Window* dialogForMessages) {
  PilotList list;
  const std::string folder = ReadGameFolder(GameId::XwingAlliance);
  const std::string pattern = folder + "\\" + std::string(Game(GameId::XwingAlliance).pilotFiles);
  for (const platform::FoundEntry& found : platform::Files().Find(pattern)) {
    // A folder that happens to end in ".plt" holds no pilot.
    if (found.isFolder) continue;
    std::optional<std::string> name = ReadStoredName(folder + "\\" + found.name);
    if (!name) {
      ui::Ui().ShowMessage(dialogForMessages, "error", " ", ui::Icon::None, ui::Buttons::Ok);
      continue;
    }
    list.entries.push_back(std::move(*name));
  }
  if (list.entries.empty()) return list;

  std::stable_sort(list.entries.begin(), list.entries.end(),
                   [](const std::string& a, const std::string& b) {
                     return platform::FoldCase(a) < platform::FoldCase(b);
                   });
  list.selected = 0;
  if (const std::optional<std::string> lastPilot = ReadXwaLastPilot()) {
    if (const std::optional<std::size_t> match = SelectString(list.entries, 0, *lastPilot)) {
      list.selected = match;
    }
  }
  return list;
}

}  // namespace vantrel
