// The play journal: a short text file "\VNTL___.jnl" in a game folder that says what a
// play has changed there, written before each change is made. A play that ends however
// it ends (the launcher killed, the machine switched off) leaves it behind, and the next
// run reads from it what to undo: the executable's state before and after the patch, so
// that only the exact patched file is ever replaced by the backup, and the plain missions
// written, so that none of them outlives the play. The format is a few `key=value`
// lines that a player can read:
//
//   # Vantrel play journal: a play of this game that has not finished yet.
//   game=1
//   backup=VNTL___.tmp
//   executable=1422336 3f1c2a9b
//   patched=1422336 0d9e8c77
//   mission=m1.tie
//
// `executable` and `patched` give a size in bytes and a CRC-32 in hexadecimal. Lines
// starting with '#' and blank lines are comments; a line the reader does not know
// makes the journal damaged, as does a value it cannot read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_table.h"

namespace vantrel {

// The executable as a journal records it.
struct ExecutableState {
  std::uint64_t size = 0;
  std::uint32_t crc32 = 0;
  friend bool operator==(const ExecutableState&, const ExecutableState&) = default;
};

struct PlayJournal {
  GameId game = GameId::TieFighter;
  // The backup of the executable is (about to be) taken under "\VNTL___.tmp".
  bool backupTaken = false;
  std::optional<ExecutableState> executable;  // before the patch
  std::optional<ExecutableState> patched;     // what the patch makes of it
  // Plain missions in the game's mission folder, each named before it is written.
  std::vector<std::string> missions;
  friend bool operator==(const PlayJournal&, const PlayJournal&) = default;
};

std::string FormatPlayJournal(const PlayJournal& journal);
// Empty when the text is no journal this version wrote: an unknown key, a value that
// does not read, a mission name with a folder part, or no game line.
std::optional<PlayJournal> ParsePlayJournal(std::string_view text);

// The game folder followed by "\VNTL___.jnl".
std::string PlayJournalPath(GameId game);

struct JournalFound {
  enum class Status { Missing, Read, Damaged };
  Status status = Status::Missing;
  PlayJournal journal;  // when read
};
JournalFound ReadPlayJournal(GameId game);

// Writes the journal whole to a temporary file beside it, flushes it to the disk and
// renames it into place, so a journal on disk is always one that was written whole.
bool WritePlayJournal(const PlayJournal& journal);
bool RemovePlayJournal(GameId game);

// The size and CRC-32 of a file's bytes.
ExecutableState StateOfBytes(std::string_view bytes);

}  // namespace vantrel
