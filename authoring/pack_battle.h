// Making a battle package from a folder of plain missions and extras, for battle authors:
// the battle list is written from the game, key, name and the missions found, every
// top-level "*.tie" file is enciphered with the key, and every other file and folder goes
// in as it is. Everything is checked before the first byte is written, so a refused
// folder leaves no package behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game_table.h"

namespace vantrel {

struct PackRequest {
  GameId game = GameId::TieFighter;
  std::string name;                 // the battle's name, UTF-8
  std::optional<std::uint8_t> key;  // empty: a random key other than 0
  std::string folder;               // the folder to pack
  std::string output;               // the package to write; replaced if it exists
};

struct PackResult {
  bool packed = false;
  // Why nothing was written, as one line for the author ("Readme.txt and README.TXT
  // differ only in letter case").
  std::string refusal;
  std::uint8_t key = 0;
  std::vector<std::string> missions;  // in the order of the battle list
  std::size_t entries = 0;            // entries in the package, the battle list included
};

// The mission order: the lines of "missions.txt" in the folder when it has one (that
// file is not packed), else the folder's order, letter case ignored. The package holds
// the battle list first, then the folder's files and folders in that same order, each
// entry with its file's last-write time, so the same folder and key give the same bytes.
PackResult PackBattle(const PackRequest& request);

// The name of the list that orders the missions.
inline constexpr const char* kMissionOrderFile = "missions.txt";

}  // namespace vantrel
