// The player's side of finishing a play: the messages. Paths are shown as the system
// writes them.
#include "launcher/finish_interrupted_play.h"

#include "core/settings.h"
#include "games/backup.h"
#include "games/play_journal.h"
#include "platform/path.h"
#include "platform/system_error.h"

namespace vantrel {
namespace {

using Executable = PlayFinish::Executable;
using Found = PlayFinish::Found;

std::string Shown(const std::string& path) { return platform::WithNativeSeparators(path); }

std::string Missions(int count) {
  return count == 1 ? "1 plain mission" : std::to_string(count) + " plain missions";
}

std::string ExecutableMessage(GameId game, const PlayFinish& finish, bool afterThisPlay) {
  const std::string gameName(Game(game).name);
  const std::string executable = Shown(GameExePath(game));
  const std::string backup = Shown(GameExeBackupPath(game));
  const std::string kept = Shown(finish.keptBackup);
  const bool oldBackup = finish.found != Found::Journal;
  const std::string opening =
      afterThisPlay ? "After the game, " : "The last play of " + gameName + " did not finish. ";
  switch (finish.executable) {
    case Executable::Untouched:
      return {};
    case Executable::PutBack:
      if (afterThisPlay) return {};
      if (oldBackup) {
        return "The executable " + executable + " was still patched by an earlier version of "
               "Vantrel. It has been put back from the backup that version left.";
      }
      // Told together with the plain missions (PlayFinishMessages).
      return {};
    case Executable::ChangedSince:
      if (oldBackup) {
        return "A backup of the executable left by an earlier version of Vantrel does not match "
               "the executable " + executable + ": the executable has been changed or replaced "
               "since. It has been left as it is, and the backup is kept as " + kept +
               ". Delete that file once the game runs as it should.";
      }
      return opening + "Its executable " + executable + " has been changed since: it is neither "
             "the file as installed nor the patched one. It has been left as it is, and the copy "
             "taken before the play is kept as " + kept + ". If the game does not start as it "
             "should, copy that file over " + executable + ".";
    case Executable::StillPatched:
      return opening + "Its executable " + executable + " is still patched, and the copy taken "
             "before the play is missing" +
             (kept.empty() ? std::string()
                           : " (the file found in its place is kept as " + kept + ")") +
             ". Reinstall the game's executable before playing with the Game menu's options.";
    case Executable::CouldNotPutBack:
      if (afterThisPlay) {
        return "Could not put back the executable " + executable + " after the game; it is still "
               "patched. The executable as installed is kept in " + backup + ": copy it over " +
               executable + " before playing again.";
      }
      return opening + "Vantrel could not put back its executable: " + executable + ", the copy " +
             backup + " and the play journal " + Shown(PlayJournalPath(game)) + " are left as "
             "they are. Make sure they are not read-only or in use, then play again; if that "
             "does not help, copy " + backup + " over " + executable + " yourself.";
    case Executable::BackupLeft:
      return (afterThisPlay ? "After the game, " : opening + "Its executable " + executable +
                                                      " is as installed, but ") +
             "the copy " + backup + " of the executable could not be deleted. It is left, with "
             "the play journal " + Shown(PlayJournalPath(game)) + ", for the next play to "
             "delete; make sure it is not read-only or in use.";
  }
  return {};
}

}  // namespace

std::vector<PlayFinishMessage> PlayFinishMessages(GameId game, const PlayFinish& finish,
                                                  bool afterThisPlay) {
  std::vector<PlayFinishMessage> messages;
  const std::string missionFolder =
      Shown(ReadGameFolder(game) + std::string(Game(game).missionFolder));
  // What a play found interrupted left and what of it is now put back, in one message.
  const bool interrupted = !afterThisPlay && finish.found == Found::Journal;
  const bool putBack = interrupted && finish.executable == Executable::PutBack;
  std::string missionsRemoved;
  if (interrupted && finish.missionsRemoved > 0) {
    missionsRemoved = Missions(finish.missionsRemoved) + " in " + missionFolder +
                      (finish.missionsRemoved == 1 ? " has" : " have") + " been removed";
  }
  if (putBack || !missionsRemoved.empty()) {
    std::string text = "The last play of " + std::string(Game(game).name) + " did not finish. ";
    if (putBack) {
      text += "Its executable " + Shown(GameExePath(game)) +
              " has been put back as it was before that play";
      text += missionsRemoved.empty() ? "." : ", and its " + missionsRemoved + ".";
    } else {
      text += "Its " + missionsRemoved + ".";
    }
    messages.push_back({std::move(text)});
  }
  if (std::string text = ExecutableMessage(game, finish, afterThisPlay); !text.empty()) {
    messages.push_back({std::move(text), finish.executable == Executable::CouldNotPutBack ||
                                             finish.executable == Executable::BackupLeft});
  }
  if (!finish.missionsLeft.empty()) {
    std::string names;
    for (const std::string& name : finish.missionsLeft) names += (names.empty() ? "" : ", ") + name;
    messages.push_back({"The plain missions " + names + " in " + missionFolder +
                        " could not be deleted. Delete them, or make them writable, before "
                        "playing again.",
                        true});
  }
  if (finish.found == Found::DamagedJournal) {
    messages.push_back({"The play journal " + Shown(PlayJournalPath(game)) + " could not be read, "
                        "so the plain missions of the last play of " +
                        std::string(Game(game).name) + " may still be in " + missionFolder + "."});
  }
  return messages;
}

void ShowPlayFinishMessages(ui::Window* owner, GameId game, const PlayFinish& finish,
                            bool afterThisPlay) {
  for (const PlayFinishMessage& message : PlayFinishMessages(game, finish, afterThisPlay)) {
    if (message.failure && finish.cause) {
      platform::RecordFailure(*finish.cause);
    } else {
      platform::ClearLastFailure();
    }
    ui::ShowVntlMessage(owner, message.text, ui::Icon::Exclamation);
  }
}

bool FinishInterruptedPlay(ui::Window* owner, GameId game) {
  const PlayFinish finish = FinishPlay(game);
  ShowPlayFinishMessages(owner, game, finish, false);
  return finish.finished;
}

bool FinishInterruptedPlays(ui::Window* owner) {
  bool finished = true;
  for (GameId game : kAllGames) finished = FinishInterruptedPlay(owner, game) && finished;
  return finished;
}

}  // namespace vantrel
