// Clean-up after play: exactly the plain copies named in the battle list go, nothing
// else in any folder is touched, and a missing battle list deletes nothing.
#include "battle/clean_up_missions.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/decrypt_missions.h"
#include "platform/file_system.h"
#include "tests/battle/battle_fixture.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;
using testing::Snapshot;

class CleanUpMissionsTest : public testing::BattleTest {};

TEST_F(CleanUpMissionsTest, DeletesThePlainCopiesAfterAPlayAndNothingElse) {
  Stage(GameId::XwingAlliance, 0x21,
        {{"b1m1.tie", "one"}, {"b1m2.tie", "two"}, {"b1m3.tie", "three"}});
  temp.WriteFile("XWA/MISSIONS/mission.lst", "list");
  temp.WriteFile("XWA/MISSIONS/email.txt", "mail");
  temp.WriteFile("XWA/MISSIONS/other.tie", "the game's own");
  const Snapshot beforePlay = Picture();
  ASSERT_TRUE(DecryptMissions(window, status, GameId::XwingAlliance));
  ASSERT_EQ(temp.List("XWA/MISSIONS").size(), 6u);

  EXPECT_TRUE(CleanUpMissions(window, status, GameId::XwingAlliance));
  EXPECT_EQ(Picture(), beforePlay);
  EXPECT_EQ(status.text(), "Cleaning up files...");
  EXPECT_EQ(status.History(),
            (Texts{"Decrypting missions...", "Idle", "Cleaning up files..."}));
  EXPECT_TRUE(desktop.messages().empty());
}

// Without a battle list, or without the game's folder, nothing is known to delete.
TEST_F(CleanUpMissionsTest, AMissingBattleListDeletesNothing) {
  temp.WriteFile("TIE/MISSION/m.tie", "plain");
  settings.store().DeleteKeyTree(GameKey(GameId::XwingVsTie));
  const Snapshot before = Picture();
  for (GameId game : {GameId::TieFighter, GameId::XwingVsTie}) {
    testing::FakeDesktop attempt;
    EXPECT_FALSE(CleanUpMissions(window, status, game));
    testing::ExpectOnlyMessage(
        attempt, {&window, "Error reading battle.kzb!", "VNTL", ui::Icon::None, ui::Buttons::Ok});
  }
  EXPECT_TRUE(status.History().empty());
  EXPECT_EQ(Picture(), before);
}

TEST_F(CleanUpMissionsTest, CountZeroDeletesNothing) {
  Stage(GameId::BalanceOfPower, 1, {});
  temp.WriteFile("BOP/TRAIN/m.tie", "m");
  const Snapshot before = Picture();
  EXPECT_TRUE(CleanUpMissions(window, status, GameId::BalanceOfPower));
  EXPECT_EQ(Picture(), before);
  EXPECT_EQ(status.History(), (Texts{"Cleaning up files..."}));
}

TEST_F(CleanUpMissionsTest, GoneOrLockedCopiesDoNotStopTheOthers) {
  Stage(GameId::XwingVsTie, 1, {{"gone.tie", "g"}, {"locked.tie", "l"}, {"last.tie", "z"}});
  temp.WriteFile("XVT/TRAIN/locked.tie", "l");
  temp.WriteFile("XVT/TRAIN/last.tie", "z");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\TRAIN\\locked.tie"), true));
  EXPECT_TRUE(CleanUpMissions(window, status, GameId::XwingVsTie));
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Texts{"locked.tie"}));
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(CleanUpMissionsTest, AListedNameIsDeletedWhereverItCameFrom) {
  Stage(GameId::TieFighter, 1, {{"B1M1.TIE", "x"}});
  temp.WriteFile("TIE/MISSION/b1m1.tie", "put there by the player");
  EXPECT_TRUE(CleanUpMissions(window, status, GameId::TieFighter));
  EXPECT_TRUE(temp.List("TIE/MISSION").empty());
  EXPECT_EQ(temp.List("TIE/KZMISS"), (Texts{"B1M1.TIE", "BATTLE.KZB"}));
}

TEST_F(CleanUpMissionsTest, AReadOnlyBattleListStillCleansUp) {
  Stage(GameId::XwingAlliance, 1, {{"m.tie", "m"}});
  temp.WriteFile("XWA/MISSIONS/m.tie", "m");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XWA\\KZMISS\\BATTLE.KZB"), true));
  EXPECT_TRUE(CleanUpMissions(window, status, GameId::XwingAlliance));
  EXPECT_TRUE(temp.List("XWA/MISSIONS").empty());
}

TEST_F(CleanUpMissionsTest, NamesThatLeaveTheMissionFolderOrAreNoMissionsDeleteNothing) {
  temp.WriteFile("XWA/xwingalliance.exe", "the game");
  temp.WriteFile("XWA/MISSIONS/mission.lst", "the game's own list");
#ifndef _WIN32
  temp.WriteFile("XWA/MISSIONS/con.tie", "not a device here");  // Windows allows no such file
#endif
  temp.WriteFile("XWA/KZMISS/m.tie", "enciphered");
  temp.WriteFile("XWA/MISSIONS/sub/m.tie", "below");
  temp.WriteFile("outside.tie", "outside the game");
  temp.WriteFile("XWA/MISSIONS/plain.tie", "listed");
  const std::vector<std::string> refused = {
      "..\\xwingalliance.exe", "../xwingalliance.exe", "..\\KZMISS\\BATTLE.KZB",
      "..\\KZMISS\\m.tie",     "sub\\m.tie",           "sub/m.tie",
      "..\\..\\outside.tie",   "C:outside.tie",        "..",
      ".",                     "",                     "mission.lst",
      "con.tie",
  };
  std::vector<std::string> names = refused;
  names.push_back("plain.tie");
  temp.WriteFile("XWA/KZMISS/BATTLE.KZB", testing::BattleListBytes(3, 0, "Tricky", names));
  Snapshot expected = Picture();
  expected.erase("XWA/MISSIONS/plain.tie");

  EXPECT_TRUE(CleanUpMissions(window, status, GameId::XwingAlliance));
  EXPECT_EQ(Picture(), expected);
}

}  // namespace
}  // namespace vantrel
