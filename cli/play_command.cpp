// `vantrel play GAME [--rebel-fighters] [--transports] [--briefing-audio]`: a game's
// button of the launcher, with the Game menu's options for that game given as flags.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "core/settings.h"
#include "games/play_journal.h"
#include "launcher/play_game.h"
#include "platform/interruption.h"
#include "platform/path.h"

namespace vantrel::cli {
namespace {

// Sets the option a flag names for `game`; false when the flag is not one of its options.
bool SetOption(GameId game, const std::string& flag, GameOptions& options) {
  if (flag == "--rebel-fighters" && game == GameId::TieFighter) {
    options.enableTieRebelFighters = true;
  } else if (flag == "--transports" && game == GameId::TieFighter) {
    options.enableTieTransports = true;
  } else if (flag == "--transports" && game == GameId::XwingVsTie) {
    options.enableXvtTransports = true;
  } else if (flag == "--transports" && game == GameId::BalanceOfPower) {
    options.enableBopTransports = true;
  } else if (flag == "--briefing-audio" && game == GameId::XwingAlliance) {
    options.enableXwaBriefingAudio = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

int PlayCommand(const Options&, const std::vector<std::string>& words) {
  if (words.empty()) return UsageError("play takes a GAME (tie, xvt, bop, xwa or 0 to 3)");
  const std::optional<GameId> game = ParseGameName(words[0]);
  if (!game) return UsageError("unknown game " + words[0] + " (tie, xvt, bop, xwa or 0 to 3)");

  GameOptions options;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!SetOption(*game, words[i], options)) {
      return UsageError(words[i] + " is not an option of " + std::string(Game(*game).name));
    }
  }
  // The Game menu lets only one of TIE Fighter 95's two patches be on.
  if (options.enableTieRebelFighters && options.enableTieTransports) {
    return UsageError("--rebel-fighters and --transports exclude each other");
  }

  // Without its folder the game's executable would be looked for at the root.
  if (ReadGameFolder(*game).empty()) return FailFolderUnset(*game);

  // TERM, INT or HUP during the play end the game and put everything back before this
  // ends with 128 + the signal, as the shell expects of a program a signal ended.
  const platform::InterruptionCatcher catcher;
  const PlayResult result = PlayGame(MainWindow(), MainWindow().statusLine(), *game, options);
  if (const int signal = platform::CaughtInterruption(); signal != 0) {
    // Finishing the play keeps its journal when something could not be put back (the
    // messages before this one say what); the next play or `vantrel repair` tries again.
    if (ReadPlayJournal(*game).status == JournalFound::Status::Missing) {
      std::fprintf(stderr, "vantrel: the play was interrupted (signal %d); the game was ended and "
                           "its executable and missions put back\n", signal);
    } else {
      std::fprintf(stderr, "vantrel: the play was interrupted (signal %d); the game was ended, "
                           "but not everything could be put back: run `vantrel repair` once "
                           "the files are free\n", signal);
    }
    return 128 + signal;
  }
  switch (result) {
    case PlayResult::Played:
      return 0;
    case PlayResult::GameNotStarted:
      std::fprintf(stderr, "vantrel: the game could not be started%s\n",
#ifdef _WIN32
                   "");
#else
                   " (a Windows game runs through --runner wine)");
#endif
      return 0;
    case PlayResult::ExecutableMissing:
      return Fail("the executable of " + std::string(Game(*game).name) +
                  " is not in its folder \"" +
                  platform::WithNativeSeparators(ReadGameFolder(*game)) + "\"");
    case PlayResult::ExecutableUnreadable:
      return Fail("cannot read the executable of " + std::string(Game(*game).name) + " " +
                      platform::WithNativeSeparators(GameExePath(*game)),
                  platform::LastFailure());
    case PlayResult::OtherOperationRunning:
    case PlayResult::WrongVersion:
    case PlayResult::BackupFailed:
    case PlayResult::PatchFailed:
    case PlayResult::DecryptionFailed:
    case PlayResult::EarlierPlayUnfinished:
    case PlayResult::Interrupted:
      break;
  }
  return 1;
}

}  // namespace vantrel::cli
