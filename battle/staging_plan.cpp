#include "battle/staging_plan.h"

#include <algorithm>
#include <array>

#include "platform/path.h"

namespace vantrel {
namespace {

// The files each game reads from its own folders, in the order they are moved.
constexpr std::array<OwnStep, 1> kTieSteps = {{{"*.lfd", StepKind::EveryMatch, "\\RESOURCE\\"}}};
constexpr std::array<OwnStep, 1> kXvtSteps = {{{"*.lst", StepKind::FirstMatch, "\\TRAIN\\"}}};
constexpr std::array<OwnStep, 3> kXwaSteps = {{
    {"email.txt", StepKind::FirstMatch, "\\MISSIONS\\"},
    {"mission.lst", StepKind::FirstMatch, "\\MISSIONS\\"},
    {"*.plt", StepKind::FirstMatch, "\\"},
}};

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
  bool Move(std::string_view pattern, StepKind kind, std::string_view destination) {
    bool found = false;
    for (PlannedMove& move : moves_) {
      if (move.destination || !platform::WildcardMatch(pattern, move.name)) continue;
      move.destination = std::string(destination) + move.name;
      found = true;
      if (kind == StepKind::FirstMatch) break;
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

std::span<const OwnStep> OwnStepsOf(GameId game) {
  switch (game) {
    case GameId::TieFighter:
      return kTieSteps;
    case GameId::XwingVsTie:
    case GameId::BalanceOfPower:
      return kXvtSteps;
    case GameId::XwingAlliance:
      return kXwaSteps;
  }
  return {};
}

std::vector<PlannedMove> PlanStaging(GameId game, std::vector<std::string> names) {
  DryRun run(std::move(names));
  if (!run.Move("*.tie", StepKind::EveryMatch, "\\KZMISS\\")) return std::move(run).Result();
  run.MoveNamed("Battle.kzb", "\\KZMISS\\");
  for (const OwnStep& step : OwnStepsOf(game)) {
    if (!run.Move(step.pattern, step.kind, step.destination) && step.kind == StepKind::EveryMatch) {
      return std::move(run).Result();
    }
  }
  // Staging asks for "\Misc", but it made the folder as "\MISC" before the plan began,
  // and that is the name the disk shows.
  run.Move("*.*", StepKind::EveryMatch, "\\MISC\\");
  return std::move(run).Result();
}

}  // namespace vantrel
