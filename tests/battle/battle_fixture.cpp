// The game folders and staged battles the decryption, clean-up and display tests share.
#include "tests/battle/battle_fixture.h"

#include <filesystem>

namespace vantrel::testing {

BattleTest::BattleTest() {
  for (GameId game : kAllGames) temp.MakeFolder(MissionFolder(game));
}

std::string BattleTest::MissionFolder(GameId game) const {
  static const char* const folders[] = {"MISSION", "TRAIN", "TRAIN", "MISSIONS"};
  return In(game, folders[Index(game)]);
}

void BattleTest::Stage(GameId game, int listGame, int key, std::string_view name,
                       const std::vector<Mission>& missions) {
  std::vector<std::string> names;
  for (const Mission& mission : missions) {
    names.push_back(mission.first);
    temp.WriteFile(In(game, "KZMISS/") + mission.first, Enciphered(mission.second, key));
  }
  temp.WriteFile(In(game, "KZMISS/BATTLE.KZB"), BattleListBytes(listGame, key, name, names));
}

Snapshot BattleTest::Picture() const {
  namespace fs = std::filesystem;
  Snapshot picture;
  for (const auto& entry : fs::recursive_directory_iterator(temp.Native())) {
    const std::u8string relative = fs::relative(entry.path(), temp.Native()).generic_u8string();
    const std::string key(relative.begin(), relative.end());
    if (entry.is_directory()) {
      picture[key + "/"] = "";
    } else {
      picture[key] = temp.ReadFile(key).value_or("(unreadable)");
    }
  }
  return picture;
}

}  // namespace vantrel::testing
