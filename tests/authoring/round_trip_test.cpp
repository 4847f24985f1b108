// A battle from an author's folder to a player's game: packed, inspected, loaded and
// played with a stand-in game that records what it finds while it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "authoring/package_report.h"
#include "authoring/pack_battle.h"
#include "launcher/load_battle.h"
#include "launcher/play_game.h"
#include "tests/authoring/package_contents.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/hex.h"
#include "tests/support/game_world.h"

namespace vantrel {
namespace {

// The player's launcher folder and game folders, laid out before the battle is packed.
using RoundTrip = testing::GameWorldTest;

std::string StandInBytes() {
  std::ifstream in(VANTREL_STAND_IN_PLAYER, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(RoundTrip, PackedInspectedLoadedAndPlayed) {
  LayOutLauncher();
  testing::FakeDesktop desktop;
  testing::FakeWindow window;
  testing::FakeStatusLine status;
  testing::WriteBattleFolder(temp);
  std::filesystem::remove_all(temp.Native("battle/maps"));

  // Packed and inspected: clean, and the dry run says where each file goes.
  const PackResult packed = PackBattle(
      {GameId::XwingVsTie, "Round Trip", 0xC3, temp.Path("battle"), temp.Path("trip.kzm")});
  ASSERT_TRUE(packed.packed) << packed.refusal;
  const PackageReport report = InspectPackage(temp.Path("trip.kzm"));
  EXPECT_TRUE(report.clean());
  for (const PackageProblem& problem : report.problems) ADD_FAILURE() << problem.text;
  EXPECT_EQ(report.battleName, "Round Trip");
  EXPECT_EQ(report.key, 0xC3);
  ASSERT_EQ(report.missions.size(), 3u);
  EXPECT_EQ(report.missions[2].name, "c.tie");
  EXPECT_EQ(report.missions[2].size, 13u);
  std::vector<std::string> planned;
  for (const InspectedEntry& entry : report.entries)
    planned.push_back(entry.stagedTo.value_or("-"));
  EXPECT_EQ(planned, (std::vector<std::string>{"\\KZMISS\\Battle.kzb", "\\KZMISS\\a.tie",
                                               "\\KZMISS\\B.TIE", "\\KZMISS\\c.tie",
                                               "\\MISC\\Readme.txt", "\\TRAIN\\strike.lst"}));

  // Loaded: every file lands where the dry run said.
  temp.MakeFolder(In(GameId::XwingVsTie, "TRAIN"));
  PackageArchive archive;
  const LoadResult loaded = UnpackAndStageBattle(archive, temp.Path("trip.kzm"));
  EXPECT_TRUE(loaded.packageUnpacked);
  for (const std::string& place : planned) {
    EXPECT_TRUE(temp.Exists("XVT" + place)) << place;
  }
  EXPECT_FALSE(temp.Exists("launcher/Temp"));

  // Played: the stand-in sees the plain missions, byte for byte as in the folder.
  std::string exe = StandInBytes();
  ASSERT_FALSE(exe.empty());
  temp.WriteFile("XVT/Z_XVT__.EXE", exe);
  std::filesystem::permissions(temp.Native("XVT/Z_XVT__.EXE"), std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  temp.WriteFile("XVT/probe.txt", "file TRAIN/a.tie\nfile TRAIN/B.TIE\nfile TRAIN/c.tie\n");
  EXPECT_EQ(PlayGame(window, status, GameId::XwingVsTie, GameOptions{}), PlayResult::Played);
  const std::string played = temp.ReadFile("XVT/played.log").value_or("");
  for (const char* mission : {"a.tie", "B.TIE", "c.tie"}) {
    const std::string plain = *temp.ReadFile(std::string("battle/") + mission);
    EXPECT_NE(played.find(std::string("file TRAIN/") + mission + " " +
                          std::to_string(plain.size()) + " " + testing::Hex(plain) + "\n"),
              std::string::npos)
        << played;
  }
  // Afterwards only the enciphered missions remain.
  EXPECT_EQ(temp.List("XVT/TRAIN"), (std::vector<std::string>{"strike.lst"}));
  EXPECT_EQ(temp.ReadFile("XVT/KZMISS/a.tie"), testing::Enciphered("first mission", 0xC3));
}

}  // namespace
}  // namespace vantrel
