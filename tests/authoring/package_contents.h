// The entries of a package as the extraction layer reads them, and a folder of plain
// missions and extras for the pack tests to start from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace vantrel::testing {

struct PackedEntry {
  std::string name;
  std::string bytes;
  std::uint32_t dosTime = 0;
  bool operator==(const PackedEntry&) const = default;
};

// Every entry of the package, in directory order; empty when it cannot be opened.
std::vector<PackedEntry> ReadPackage(const std::string& path);

// Lays out a battle folder "battle" in `temp`: three missions (c, a and B, so that
// letter case decides the order), a readme, an X-Wing vs. TIE Fighter list and a folder
// of maps.
void WriteBattleFolder(const TempFolder& temp);

}  // namespace vantrel::testing
