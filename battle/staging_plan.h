// The staging plans as data: which files of an unpacked package each game reads from its
// own folders, and a dry run that says where every top-level file of Temp would go,
// without touching a file. StageBattle moves files by these steps; `vantrel inspect`
// shows a battle author the dry run.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/game_table.h"

namespace vantrel {

enum class StepKind {
  EveryMatch,  // move every entry the search returns; none found ends staging
  FirstMatch,  // move the first entry the search returns; none found does nothing
};

struct OwnStep {
  std::string_view pattern;
  StepKind kind;
  std::string_view destination;  // appended to the game folder; ends with a backslash
};

// The game's own steps, in the order they run: between the battle list and "everything
// left into MISC".
std::span<const OwnStep> OwnStepsOf(GameId game);

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
