// The names of the installed battles, as the main window and `vantrel battles` show them.
#include "battle/installed_battles.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/battle/battle_fixture.h"

namespace vantrel {
namespace {

using Names = std::array<std::string, 4>;

class InstalledBattlesTest : public testing::BattleTest {
 protected:
  void List(GameId game, const std::string& bytes) {
    temp.WriteFile(In(game, "KZMISS/BATTLE.KZB"), bytes);
  }
};

TEST_F(InstalledBattlesTest, GamesWithoutAFolderHaveNoBattle) {
  for (GameId game : kAllGames) settings.store().DeleteKeyTree(GameKey(game));
  EXPECT_EQ(InstalledBattleNames(), (Names{"No battle installed", "No battle installed",
                                           "No battle installed", "No battle installed"}));
}

TEST_F(InstalledBattlesTest, EachGameHasItsOwnBattle) {
  List(GameId::TieFighter, testing::BattleListBytes(0, 1, "Imperial Ops", {"a.tie"}));
  List(GameId::XwingVsTie, testing::BattleListBytes(1, 1, "Vs Campaign", {}));
  List(GameId::XwingAlliance, testing::BattleListBytes(3, 1, "Alliance Tour", {"x.tie"}));
  EXPECT_EQ(InstalledBattleNames(),
            (Names{"Imperial Ops", "Vs Campaign", "No battle installed", "Alliance Tour"}));
}

// The name as the battle list holds it: a whole field without terminator, or as much of
// it as a list cut short has; a read-only list is read all the same.
TEST_F(InstalledBattlesTest, EachNameIsShownAsTheListHoldsIt) {
  const std::string name50 = "Operation Strike Force Delta: The Long Road Home 1";
  const std::string name51(51, 'W');
  ASSERT_EQ(name50.size(), 50u);
  List(GameId::TieFighter, testing::BattleListBytes(0, 0, "Short Story", {}).substr(0, 7));
  List(GameId::XwingVsTie, testing::BattleListBytes(1, 0, "Kept", {}));
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\KZMISS\\BATTLE.KZB"), true));
  List(GameId::BalanceOfPower, testing::BattleListBytes(2, 0, name50, {}));
  List(GameId::XwingAlliance, testing::BattleListBytes(3, 0, name51, {"m.tie"}));
  EXPECT_EQ(InstalledBattleNames(), (Names{"Short", "Kept", name50, name51}));
}

}  // namespace
}  // namespace vantrel
