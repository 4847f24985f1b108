// `vantrel repair [GAME] [--json]`: finishes a play that was cut short (the executable put
// back, the plain missions removed), as every play and load does first, for one game or
// for every game whose folder is set, under the installation's operation lock. One line
// per game says what was found; what the player should know follows on stderr in the
// launcher's words.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/settings.h"
#include "games/finish_play.h"
#include "launcher/finish_interrupted_play.h"
#include "launcher/one_operation.h"
#include "platform/path.h"
#include "ui/console/console_desktop.h"

namespace vantrel::cli {
namespace {

using Executable = PlayFinish::Executable;
using Found = PlayFinish::Found;

std::string_view FoundName(Found found) {
  switch (found) {
    case Found::Nothing:
      return "nothing";
    case Found::Journal:
      return "journal";
    case Found::DamagedJournal:
      return "damaged-journal";
    case Found::BackupWithoutJournal:
      return "old-backup";
  }
  return "nothing";
}

std::string_view ExecutableName(Executable executable) {
  switch (executable) {
    case Executable::Untouched:
      return "untouched";
    case Executable::PutBack:
      return "put-back";
    case Executable::ChangedSince:
      return "changed-since";
    case Executable::StillPatched:
      return "still-patched";
    case Executable::CouldNotPutBack:
      return "could-not-put-back";
    case Executable::BackupLeft:
      return "backup-left";
  }
  return "untouched";
}

// "nothing to repair", or what was found and done: "interrupted play: executable put
// back, 2 plain missions removed".
std::string Summary(const PlayFinish& finish) {
  if (finish.found == Found::Nothing) return "nothing to repair";
  std::string text = finish.found == Found::Journal          ? "interrupted play"
                     : finish.found == Found::DamagedJournal ? "damaged play journal"
                                                             : "backup of an older version";
  switch (finish.executable) {
    case Executable::Untouched:
      break;
    case Executable::PutBack:
      text += ": executable put back";
      break;
    case Executable::ChangedSince:
      text += ": executable changed since, left as it is; backup kept as " +
              platform::WithNativeSeparators(finish.keptBackup);
      break;
    case Executable::StillPatched:
      text += ": executable still patched, no backup to put back";
      break;
    case Executable::CouldNotPutBack:
      text += ": could not put the executable back";
      break;
    case Executable::BackupLeft:
      text += ": executable as installed, its backup could not be deleted";
      break;
  }
  if (finish.missionsRemoved > 0) {
    text += ", " + std::to_string(finish.missionsRemoved) + " plain mission" +
            (finish.missionsRemoved == 1 ? "" : "s") + " removed";
  }
  if (!finish.missionsLeft.empty()) {
    text += ", " + std::to_string(finish.missionsLeft.size()) + " left";
  }
  return text;
}

void WriteJson(JsonWriter& json, const PlayFinish& finish) {
  json.BeginObject();
  json.Key("found").String(FoundName(finish.found));
  json.Key("executable").String(ExecutableName(finish.executable));
  json.Key("keptBackup").StringOrNull(platform::WithNativeSeparators(finish.keptBackup));
  json.Key("missionsRemoved").Number(finish.missionsRemoved);
  json.Key("missionsLeft").BeginArray();
  for (const std::string& mission : finish.missionsLeft) json.String(mission);
  json.EndArray();
  json.Key("finished").Bool(finish.finished);
  json.EndObject();
}

}  // namespace

int RepairCommand(const Options& options, const std::vector<std::string>& words) {
  if (words.size() > 1) return UsageError("repair takes at most one GAME");
  std::optional<GameId> only;
  if (!words.empty()) {
    only = ParseGameName(words[0]);
    if (!only) return UsageError("unknown game " + words[0] + " (tie, xvt, bop, xwa or 0 to 3)");
    if (ReadGameFolder(*only).empty()) return FailFolderUnset(*only);
  }

  // A play in progress holds the lock for its whole length: its patched executable and
  // plain missions are in use, not left over.
  const std::optional<platform::FileLock> lock = BeginOperation(&MainWindow());
  if (!lock) return 1;

  JsonWriter json;
  json.BeginObject();
  bool finished = true;
  for (GameId game : kAllGames) {
    if (only && game != *only) continue;
    const std::string_view name = Game(game).commandLineName;
    if (options.json) json.Key(name);
    if (ReadGameFolder(game).empty()) {
      if (options.json) json.Null();
      else std::printf("%.*s\tfolder not set\n", static_cast<int>(name.size()), name.data());
      continue;
    }
    const PlayFinish finish = FinishPlay(game);
    finished = finished && finish.finished;
    if (options.json) {
      WriteJson(json, finish);
    } else {
      std::printf("%.*s\t%s\n", static_cast<int>(name.size()), name.data(),
                  Summary(finish).c_str());
    }
    for (const PlayFinishMessage& message : PlayFinishMessages(game, finish, false)) {
      std::fprintf(stderr, "vantrel: %s\n", platform::WithNativeSeparators(message.text).c_str());
      if (message.failure && finish.cause) {
        std::fprintf(stderr, "  %s\n", ui::DescribeForConsole(*finish.cause).c_str());
      }
    }
  }
  json.EndObject();
  if (options.json) std::printf("%s\n", json.text().c_str());
  return finished ? 0 : 1;
}

}  // namespace vantrel::cli
