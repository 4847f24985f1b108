// A dry run of staging: where every top-level file of Temp would go, without touching a
// file. It follows the steps StageBattle takes, the game's own ones read from its row of
// the game table; `vantrel inspect` shows a battle author the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_table.h"

namespace vantrel {

struct PlannedMove {
  std::string name;  // the file's name in Temp
  // Where it lands, relative to the game folder ("\KZMISS\B1M1.tie", "\MISC\Readme.txt");
  // empty when it stays in Temp.
  std::optional<std::string> destination;
};

// Where each of `names` (the top-level files in Temp) goes when the battle's game is
// `game`, in the order of the search that finds them (ordinal order of the upper-cased
// names): missions and the battle list to KZMISS, the game's own files, the rest to
// MISC. Staging that ends early leaves what it has not reached in Temp. Every move is
// taken to succeed.
std::vector<PlannedMove> PlanStaging(GameId game, std::vector<std::string> names);

}  // namespace vantrel
