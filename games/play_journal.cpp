// Reading and writing the play journal through the file-system seam.
#include "games/play_journal.h"

#include <zlib.h>

#include <charconv>
#include <limits>

#include "core/settings.h"
#include "platform/file_helpers.h"
#include "platform/path.h"

namespace vantrel {
namespace {

constexpr std::string_view kJournalName = "\\VNTL___.jnl";
// The journal being written; renamed over the journal once whole.
constexpr std::string_view kJournalInProgress = "\\VNTL___.jn~";
constexpr std::string_view kBackupFileName = "VNTL___.tmp";

template <typename Number>
bool ReadNumber(std::string_view text, Number& value, int base) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<ExecutableState> ReadState(std::string_view value) {
  const std::size_t blank = value.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  ExecutableState state;
  if (!ReadNumber(value.substr(0, blank), state.size, 10) ||
      !ReadNumber(value.substr(blank + 1), state.crc32, 16)) {
    return std::nullopt;
  }
  return state;
}

std::string FormatState(const ExecutableState& state) {
  char crc[9];
  const auto end = std::to_chars(crc, crc + sizeof crc, state.crc32, 16).ptr;
  const std::string hex(crc, end);
  return std::to_string(state.size) + " " + std::string(8 - hex.size(), '0') + hex;
}

// A mission the journal names is deleted from the mission folder later, so a name that
// could reach outside that folder is no name this program wrote.
bool IsMissionFileName(std::string_view name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string_view::npos &&
         name.find_first_not_of(". ") != std::string_view::npos;
}

}  // namespace

std::string FormatPlayJournal(const PlayJournal& journal) {
  std::string text =
      "# Vantrel play journal: a play of " + std::string(Game(journal.game).name) +
      " that has not finished yet.\n"
      "# The next play, load or `vantrel repair` puts back what it changed here.\n";
  text += "game=" + std::to_string(Index(journal.game)) + "\n";
  if (journal.backupTaken) text += "backup=" + std::string(kBackupFileName) + "\n";
  if (journal.executable) text += "executable=" + FormatState(*journal.executable) + "\n";
  if (journal.patched) text += "patched=" + FormatState(*journal.patched) + "\n";
  for (const std::string& mission : journal.missions) text += "mission=" + mission + "\n";
  return text;
}

std::optional<PlayJournal> ParsePlayJournal(std::string_view text) {
  PlayJournal journal;
  bool gameRead = false;
  for (const std::string_view line : platform::SplitLines(text)) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == "game") {
      unsigned number = 0;
      const std::optional<GameId> game =
          ReadNumber(value, number, 10) && number <= 0xFF ? GameFromByte(number) : std::nullopt;
      if (!game) return std::nullopt;
      journal.game = *game;
      gameRead = true;
    } else if (key == "backup") {
      if (value != kBackupFileName) return std::nullopt;
      journal.backupTaken = true;
    } else if (key == "executable" || key == "patched") {
      std::optional<ExecutableState> state = ReadState(value);
      if (!state) return std::nullopt;
      (key == "executable" ? journal.executable : journal.patched) = state;
    } else if (key == "mission") {
      if (!IsMissionFileName(value)) return std::nullopt;
      journal.missions.emplace_back(value);
    } else {
      return std::nullopt;
    }
  }
  if (!gameRead) return std::nullopt;
  return journal;
}

std::string PlayJournalPath(GameId game) {
  return ReadGameFolder(game) + std::string(kJournalName);
}

JournalFound ReadPlayJournal(GameId game) {
  const platform::WholeFile file = platform::ReadWholeFile(PlayJournalPath(game));
  JournalFound found;
  switch (file.status) {
    case platform::WholeFile::Status::Missing:
      return found;
    case platform::WholeFile::Status::Unreadable:
      found.status = JournalFound::Status::Damaged;
      return found;
    case platform::WholeFile::Status::Read:
      break;
  }
  const std::optional<PlayJournal> journal = ParsePlayJournal(file.bytes);
  // A journal found in another game's folder (two games given one folder) is no record
  // of this game's play.
  if (!journal || journal->game != game) {
    found.status = JournalFound::Status::Damaged;
    return found;
  }
  found.status = JournalFound::Status::Read;
  found.journal = *journal;
  return found;
}

bool WritePlayJournal(const PlayJournal& journal) {
  const std::string folder = ReadGameFolder(journal.game);
  const std::string path = folder + std::string(kJournalName);
  const std::string inProgress = folder + std::string(kJournalInProgress);
  if (folder.empty() || !platform::PathFitsLimit(path) || !platform::PathFitsLimit(inProgress)) {
    return false;
  }
  return platform::ReplaceFileContent(path, inProgress, FormatPlayJournal(journal));
}

bool RemovePlayJournal(GameId game) {
  const std::string path = PlayJournalPath(game);
  platform::FileSystem& files = platform::Files();
  return files.Kind(path) == platform::PathKind::Missing || files.DeleteFile(path);
}

ExecutableState StateOfBytes(std::string_view bytes) {
  // zlib takes the length as a 32-bit count, so larger files go in pieces.
  uLong crc = crc32(0L, Z_NULL, 0);
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const std::size_t piece = std::min<std::size_t>(rest.size(), std::numeric_limits<uInt>::max());
    crc = crc32(crc, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(piece));
    rest.remove_prefix(piece);
  }
  return {bytes.size(), static_cast<std::uint32_t>(crc)};
}

}  // namespace vantrel
