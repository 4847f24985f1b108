// The roster's file work. CONFIG.CFG is never rewritten in place: the new text goes to a
// temporary file first, which then replaces it in one rename, so a failure half-way
// leaves the game's configuration as it was.
#include "pilots/xwa_roster.h"

#include <array>
#include <cstdint>
#include <memory>

#include "core/game_table.h"
#include "core/settings.h"
#include "pilots/config_word.h"
#include "pilots/xwa_pilot_file.h"
#include "platform/file_helpers.h"
#include "platform/system_error.h"
#include "ui/window.h"

namespace vantrel {
namespace {

std::string XwaFolder() { return ReadGameFolder(GameId::XwingAlliance); }

std::string PilotFilePath(std::string_view name) {
  const std::string_view suffix = Game(GameId::XwingAlliance).pilotFileSuffix;
  return XwaFolder() + "\\" + std::string(name) + std::string(suffix);
}

// A pilot's name becomes part of its file name, so it may hold nothing that Windows
// refuses in a file name, and no separator that would put the file in another folder.
// "." and ".." are refused as well: they are the names of a folder's own entries, and a
// tool that joins a pilot's name to the folder would leave the game folder by them.
bool CanNameFile(std::string_view name) {
  if (name == "." || name == "..") return false;
  constexpr std::string_view kRefused = "\\/:*?\"<>|";
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || kRefused.find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

// The lines after the first, every line end made CR LF: a lone LF gains its CR, a CR LF
// stays as it is, and a lone CR is not a line end and stays too. This is what copying
// the file through a text-mode stream on Windows does, which the game expects.
std::string LinesAfterTheFirst(std::string_view text) {
  const std::size_t firstEnd = text.find('\n');
  if (firstEnd == std::string_view::npos) return {};
  const std::string_view rest = text.substr(firstEnd + 1);
  std::string converted;
  converted.reserve(rest.size() + rest.size() / 16);
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\n' && (i == 0 || rest[i - 1] != '\r')) converted.push_back('\r');
    converted.push_back(rest[i]);
  }
  return converted;
}

// What comes after the new first line: the rest of CONFIG.CFG, nothing when it is
// missing, empty optional when it exists but cannot be read.
std::optional<std::string> KeptLines(const std::string& configPath) {
  const platform::WholeFile config = platform::ReadWholeFile(configPath);
  switch (config.status) {
    case platform::WholeFile::Status::Read:
      return LinesAfterTheFirst(config.bytes);
    case platform::WholeFile::Status::Missing:
      return std::string();
    case platform::WholeFile::Status::Unreadable:
      break;
  }
  return std::nullopt;
}

void ShowRosterMessage(std::string_view text) {
  ui::ShowVntlMessage(nullptr, text, ui::Icon::Exclamation);
}

}  // namespace

std::optional<std::string> ReadXwaLastPilot() {
  return ReadLastPilotWord(XwaFolder() + "\\CONFIG.CFG");
}

bool WriteXwaLastPilot(std::string_view name) {
  const std::string folder = XwaFolder();
  const std::string configPath = folder + "\\CONFIG.CFG";
  const std::string temporaryPath = folder + "\\CONFIG___.TMP";

  const std::optional<std::string> kept = KeptLines(configPath);
  if (!kept) return false;
  const std::string text = std::string(kLastPilotPrefix) + std::string(name) + "\r\n" + *kept;

  return platform::ReplaceFileContent(configPath, temporaryPath, text);
}

bool CreateXwaPilot(std::string_view name, bool prepare) {
  const std::string_view kept = CutXwaPilotName(name);
  if (!CanNameFile(kept)) {
    platform::RecordFailure({PilotFilePath(kept), platform::MakeError(platform::ErrorCode::Other,
                                                                      "not a valid file name")});
    ShowRosterMessage("Error creating new pilot");
    return false;
  }
  // Anything already under the file's name counts as the pilot, even a file that cannot
  // be read: creating the new one would empty it.
  platform::FileSystem& files = platform::Files();
  const std::string path = PilotFilePath(kept);
  if (files.Kind(path) != platform::PathKind::Missing) {
    ShowRosterMessage("This pilot name already exists");
    return false;
  }

  const std::string bytes = NewXwaPilotFile(kept, prepare);
  bool written = false;
  {
    const std::unique_ptr<platform::File> file = files.Open(path, platform::OpenMode::CreateAlways);
    if (!file) {
      ShowRosterMessage("Error creating new pilot");
      return false;
    }
    written = file->Write(bytes.data(), bytes.size());
  }
  // A file cut short (a full disk) is no pilot the game could read; it goes again, so
  // that the same name can be tried once there is room.
  if (!written) {
    const platform::SavedFailure cause;
    files.DeleteFile(path);
    cause.Restore();
    ShowRosterMessage("Error creating new pilot");
    return false;
  }
  return true;
}

bool DeleteXwaPilot(std::string_view name) {
  const std::string path = PilotFilePath(name);
  if (!CanNameFile(name) || !platform::CanOpenForReading(path)) {
    ShowRosterMessage("Can't find pilot to delete");
    return false;
  }
  return platform::Files().DeleteFile(path);
}

}  // namespace vantrel
