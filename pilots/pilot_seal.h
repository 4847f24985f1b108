// The pilot seal: after a battle, one byte computed from three bytes of the flown pilot
// is written into that pilot's file, at a place that differs per game.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/game_table.h"

namespace vantrel {

// The seal of bytes N, A and B: ((N - A) mod 256) XOR B.
std::uint8_t PilotSeal(std::uint8_t n, std::uint8_t a, std::uint8_t b);

// Writes the seal into the pilot file `pilotFileName` in the game's folder. A and B are
// read at the game's offsets; N is the second character of the file name for TIE
// Fighter 95 (0 for a name of one character) and the byte at offset 1 of the file for
// the others. False when there is no pilot, the file cannot be opened for reading and
// writing, or it is too short for the offsets; the file is then unchanged.
bool SealPilotFile(GameId game, const std::optional<std::string>& pilotFileName);

}  // namespace vantrel
