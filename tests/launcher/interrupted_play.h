// A play killed while its game ran, as it leaves a game's folder: the executable
// patched, its backup as installed, one plain mission and the journal naming them. The
// launcher's start, a load and `vantrel repair` each find it and finish it.
#pragma once

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "games/play_journal.h"
#include "tests/support/game_world.h"

namespace vantrel::testing {

inline constexpr char kInstalledBytes[] = "as installed";
inline constexpr char kPatchedBytes[] = "patched game";

inline void LeaveAnInterruptedPlay(const GameWorld& world, GameId game,
                                   const std::string& mission) {
  PlayJournal journal;
  journal.game = game;
  journal.backupTaken = true;
  journal.executable = StateOfBytes(kInstalledBytes);
  journal.patched = StateOfBytes(kPatchedBytes);
  journal.missions = {mission};
  const GameInfo& info = Game(game);
  world.temp.WriteFile(world.In(game, info.executable.substr(1)), kPatchedBytes);
  world.temp.WriteFile(world.In(game, "VNTL___.tmp"), kInstalledBytes);
  // The mission folder ("\TRAIN\") in the form the fixture's helpers take ("TRAIN/").
  std::string missions(info.missionFolder.substr(1));
  std::replace(missions.begin(), missions.end(), '\\', '/');
  world.temp.WriteFile(world.In(game, missions + mission), "plain");
  ASSERT_TRUE(WritePlayJournal(journal));
}

}  // namespace vantrel::testing
