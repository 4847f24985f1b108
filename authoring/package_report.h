// Checking a battle package the way a player's load and play would meet it, without
// writing anything: what the battle list says, which missions the package holds, where
// each entry would be staged, and every problem on the way (entries the unpacking
// refuses, damaged data, names the decryption refuses, missions missing or unlisted,
// names that collide on Windows, a battle list too short or for no known game).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game_table.h"

namespace vantrel {

struct InspectedMission {
  std::string name;  // as the battle list spells it
  bool present = false;
  std::uint64_t size = 0;  // of the package's entry, when present
};

struct InspectedEntry {
  std::string name;  // as unpacked, '\' between folders
  bool isFolder = false;
  std::uint64_t size = 0;
  bool unpacked = false;  // a load writes it into Temp
  // Where staging puts it, relative to the game folder ("\KZMISS\B1M1.tie"); empty when
  // it stays in Temp or is not unpacked.
  std::optional<std::string> stagedTo;
};

struct PackageProblem {
  std::string kind;     // a short fixed word for scripts: "mission-missing", "crc-error" ...
  std::string subject;  // the entry or mission it is about; empty for the whole package
  std::string text;     // one sentence for a person
};

struct PackageReport {
  bool opened = false;
  bool hasBattleList = false;
  std::optional<std::uint8_t> gameByte;
  std::optional<GameId> game;
  std::string battleName;
  std::uint8_t key = 0;
  std::uint8_t listedCount = 0;
  std::vector<InspectedMission> missions;
  std::vector<InspectedEntry> entries;  // in the order of the package's directory
  std::vector<PackageProblem> problems;

  bool clean() const { return opened && problems.empty(); }
};

PackageReport InspectPackage(const std::string& path);

}  // namespace vantrel
