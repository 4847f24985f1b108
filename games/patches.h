// The five options of the Game menu that change a game's executable for one run. Each
// is a fixed list of rows, a file offset and the bytes to write there, made for one
// release (core/game_table.h); the rows are written in place, never changing the file's
// size and never reading what they overwrite. The size test before the backup is what
// makes the offsets safe.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/game_table.h"

namespace vantrel {

enum class PatchOption {
  TieRebelFighters,  // "Enable Rebel Fighters", TIE Fighter 95
  TieTransports,     // "Enable Transports", TIE Fighter 95
  XvtTransports,     // "Enable Transports", X-Wing vs. TIE Fighter
  BopTransports,     // "Enable Transports", Balance of Power
  XwaBriefingAudio,  // "Enable Custom Briefing Audio", X-Wing Alliance
};

struct PatchRow {
  std::uint32_t offset;    // from the start of the executable
  std::string_view bytes;  // written there as they are
};

// The rows of one option, written into the executable of `game`.
struct Patch {
  GameId game;
  std::span<const PatchRow> rows;
};

const Patch& PatchFor(PatchOption option);

// The five patches, in the order of PatchOption.
std::span<const Patch> AllPatches();

// Writes the rows into an executable's bytes held in memory, as ApplyPatch writes them
// into the file: what a patch will make of a file can so be known before it is written.
// False, with nothing changed, when the bytes are too short to hold every row.
bool WriteRows(const Patch& patch, std::string& bytes);

// Opens the option's executable for reading and writing and writes every row. False,
// with nothing written, when the file cannot be opened for writing (missing, read-only,
// in use) or is too short to hold every row, which no release is.
bool ApplyPatch(PatchOption option);

bool PatchTieRebelFighters();
bool PatchTieTransports();
bool PatchXvtTransports();
bool PatchBopTransports();
bool PatchXwaBriefingAudio();

}  // namespace vantrel
