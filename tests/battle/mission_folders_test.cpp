// The per-game folders of a battle and the test that keeps listed names inside them.
#include "battle/mission_folders.h"

#include <utility>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/support/scoped_settings.h"

namespace vantrel {
namespace {

TEST(MissionFolders, PathsFollowTheGameFolderFromTheSettings) {
  testing::ScopedSettings settings;
  settings.SetGameFolder(GameId::BalanceOfPower, "D:\\Games\\BoP");
  const std::optional<MissionFolders> folders = FoldersOf(GameId::BalanceOfPower);
  ASSERT_TRUE(folders.has_value());
  EXPECT_EQ(folders->battleList, "D:\\Games\\BoP\\KZMISS\\BATTLE.KZB");
  EXPECT_EQ(folders->staging, "D:\\Games\\BoP\\KZMISS\\");
  EXPECT_EQ(folders->missions, "D:\\Games\\BoP\\TRAIN\\");
  EXPECT_FALSE(FoldersOf(GameId::TieFighter).has_value());
}

TEST(MissionFolders, OnlyTieFilesWindowsCanHoldAreMissions) {
  // The file names Windows refuses are told apart in the file-name test; here: what
  // a mission adds to them.
  const std::pair<const char*, bool> cases[] = {
      {"b1m1.tie", true},     {"B1M1.TIE", true},     {"..tie", true},
      {"mission.lst", false}, {"no dot", false},      {"b1m1.tie.bak", false},
      {"tie", false},         {"con.tie", false},     {"..\\a.tie", false},
      {"a.tie:stream", false},
  };
  for (const auto& [name, mission] : cases) EXPECT_EQ(IsMissionName(name), mission) << name;
}

}  // namespace
}  // namespace vantrel
