#include "battle/staging_plan.h"

#include <algorithm>

#include "platform/path.h"

namespace vantrel {
namespace {

using Kind = StagingStep::Kind;

// The files still in Temp, in search order, each with where it went once moved.
class DryRun {
 public:
  explicit DryRun(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return platform::FoldCase(a) < platform::FoldCase(b);
    });
    for (std::string& name : names) moves_.push_back({std::move(name), std::nullopt});
  }

  // A search step; false when it found nothing.
  bool Move(std::string_view pattern, Kind kind, std::string_view destination) {
    bool found = false;
    for (PlannedMove& move : moves_) {
      if (move.destination || !platform::WildcardMatch(pattern, move.name)) continue;
      move.destination = std::string(destination) + move.name;
      found = true;
      if (kind == Kind::FirstMatch) break;
    }
    return found;
  }

  // A move of a fixed name, which then bears that name.
  void MoveNamed(std::string_view name, std::string_view destination) {
    for (PlannedMove& move : moves_) {
      if (!move.destination && platform::NamesEqual(move.name, name)) {
        move.destination = std::string(destination) + std::string(name);
        return;
      }
    }
  }

  std::vector<PlannedMove> Result() && { return std::move(moves_); }

 private:
  std::vector<PlannedMove> moves_;
};

}  // namespace

std::vector<PlannedMove> PlanStaging(GameId game, std::vector<std::string> names) {
  DryRun run(std::move(names));
  if (!run.Move("*.tie", Kind::EveryMatch, "\\KZMISS\\")) return std::move(run).Result();
  run.MoveNamed("Battle.kzb", "\\KZMISS\\");
  for (const StagingStep& step : Game(game).stagingSteps) {
    if (!run.Move(step.pattern, step.kind, step.destination) && step.kind == Kind::EveryMatch) {
      return std::move(run).Result();
    }
  }
  // Staging asks for "\Misc", but it made the folder as "\MISC" before the plan began,
  // and that is the name the disk shows.
  run.Move("*.*", Kind::EveryMatch, "\\MISC\\");
  return std::move(run).Result();
}

}  // namespace vantrel
