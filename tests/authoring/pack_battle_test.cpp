#include "authoring/pack_battle.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/authoring/package_contents.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::Enciphered;
using testing::PackedEntry;
using testing::TempFolder;

// 2004-01-02 03:04:06 as a DOS date and time.
constexpr std::uint32_t kLaterDosTime =
    (((2004 - 1980) << 9 | 1 << 5 | 2) << 16) | (3 << 11 | 4 << 5 | 3);

void SetTime(const TempFolder& temp, const std::string& relative, std::uint32_t dosTime) {
  platform::FileTimes times;
  times.lastWrite = platform::LocalDosDateTimeToFileTime(dosTime);
  ASSERT_TRUE(platform::Files().SetTimes(temp.Path(relative), times));
}

// The battle folder laid out, and a request to pack it as "Strike" into strike.kzm.
class PackBattleTest : public ::testing::Test {
 protected:
  PackBattleTest() { testing::WriteBattleFolder(temp); }
  PackRequest Request(std::optional<std::uint8_t> key = 0x5A) const {
    return {GameId::XwingVsTie, "Strike", key, temp.Path("battle"), temp.Path("strike.kzm")};
  }
  std::vector<PackedEntry> Packed() const { return testing::ReadPackage(temp.Path("strike.kzm")); }

  TempFolder temp;
};

std::vector<std::string> Names(const std::vector<PackedEntry>& entries) {
  std::vector<std::string> names;
  for (const PackedEntry& entry : entries) names.push_back(entry.name);
  return names;
}

TEST_F(PackBattleTest, WritesTheListThenTheFolderInOrderWithTheMissionsEnciphered) {
  for (const char* file : {"battle/a.tie", "battle/c.tie", "battle/Readme.txt"}) {
    SetTime(temp, file, testing::kNoonDosTime);
  }
  SetTime(temp, "battle/B.TIE", kLaterDosTime);

  const PackResult result = PackBattle(Request());
  ASSERT_TRUE(result.packed) << result.refusal;
  EXPECT_EQ(result.key, 0x5A);
  EXPECT_EQ(result.missions, (std::vector<std::string>{"a.tie", "B.TIE", "c.tie"}));
  EXPECT_EQ(result.entries, 8u);

  const std::vector<PackedEntry> entries = Packed();
  EXPECT_EQ(Names(entries),
            (std::vector<std::string>{"battle.kzb", "a.tie", "B.TIE", "c.tie", "maps\\",
                                      "maps\\one.map", "Readme.txt", "strike.lst"}));
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[0].bytes,
            testing::BattleListBytes(1, 0x5A, "Strike", {"a.tie", "B.TIE", "c.tie"}));
  EXPECT_EQ(entries[1].bytes, Enciphered("first mission", 0x5A));
  EXPECT_EQ(entries[2].bytes, Enciphered("second", 0x5A));
  EXPECT_EQ(entries[3].bytes, Enciphered(std::string("third\0mission", 13), 0x5A));
  EXPECT_EQ(entries[5].bytes, "map");
  EXPECT_EQ(entries[6].bytes, "Read me first.\r\n");
  EXPECT_EQ(entries[7].bytes, "a\r\nB\r\nc\r\n");
  // Each entry carries its file's time; the list, that of the newest mission.
  EXPECT_EQ(entries[0].dosTime, kLaterDosTime);
  EXPECT_EQ(entries[1].dosTime, testing::kNoonDosTime);
  EXPECT_EQ(entries[2].dosTime, kLaterDosTime);
  EXPECT_EQ(entries[6].dosTime, testing::kNoonDosTime);
  EXPECT_FALSE(temp.Exists("strike.kzm.part"));
}

TEST_F(PackBattleTest, TheSameFolderAndKeyGiveTheSameBytes) {
  ASSERT_TRUE(PackBattle(Request()).packed);
  const std::optional<std::string> first = temp.ReadFile("strike.kzm");
  ASSERT_TRUE(PackBattle(Request()).packed);
  EXPECT_EQ(temp.ReadFile("strike.kzm"), first);
  ASSERT_TRUE(PackBattle(Request(0x5B)).packed);
  EXPECT_NE(temp.ReadFile("strike.kzm"), first);
}

TEST_F(PackBattleTest, WithoutAKeyChoosesOneThatIsNotZero) {
  for (int run = 0; run < 20; ++run) {
    const PackResult result = PackBattle(Request(std::nullopt));
    ASSERT_TRUE(result.packed);
    EXPECT_NE(result.key, 0);
    const std::vector<PackedEntry> entries = Packed();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(static_cast<std::uint8_t>(entries[0].bytes[1]), result.key);
    EXPECT_EQ(entries[1].bytes, Enciphered("first mission", result.key));
  }
}

TEST_F(PackBattleTest, MissionsTxtOrdersTheMissionsAndStaysOut) {
  temp.WriteFile("battle/missions.txt", "# the order of play\r\nc.tie\r\n\r\n  A.TIE \r\nb.tie");
  const PackResult result = PackBattle(Request());
  ASSERT_TRUE(result.packed) << result.refusal;
  EXPECT_EQ(result.missions, (std::vector<std::string>{"c.tie", "a.tie", "B.TIE"}));
  const std::vector<PackedEntry> entries = Packed();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].bytes,
            testing::BattleListBytes(1, 0x5A, "Strike", {"c.tie", "a.tie", "B.TIE"}));
  for (const PackedEntry& entry : entries) EXPECT_NE(entry.name, "missions.txt");
}

TEST_F(PackBattleTest, ANameOfFiftyWesternCharactersFits) {
  PackRequest request = Request();
  request.name = std::string(49, 'x') + "\xC3\xA9";  // é is one byte in the list
  ASSERT_TRUE(PackBattle(request).packed);
  const std::vector<PackedEntry> entries = Packed();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].bytes.substr(2, 51), std::string(49, 'x') + "\xE9" + std::string(1, '\0'));
}

struct Refusal {
  const char* label;
  std::vector<std::pair<std::string, std::string>> files;  // written into the battle folder
  std::vector<std::string> removed;                        // taken out of it
  std::string name;
  std::string refusal;
  bool posixOnly = false;  // Windows cannot even create such a file
};

std::vector<Refusal> Refusals() {
  const std::vector<std::string> allMissions = {"a.tie", "B.TIE", "c.tie"};
  std::vector<std::pair<std::string, std::string>> many;
  for (int i = 0; i < 256; ++i) {
    many.emplace_back(std::string("m").append(std::to_string(i)).append(".tie"), "m");
  }
  const std::string westernName =
      "the battle list's 50 characters of the Windows Western code page";
  const std::string cyrillic = "\xD0\x91\xD0\xB8\xD1\x82\xD0\xB2\xD0\xB0";
  return {
      {"NameTooLong", {}, {}, std::string(51, 'n'),
       "the name \"" + std::string(51, 'n') + "\" does not fit " + westernName},
      {"NameOutsideTheCodePage", {}, {}, cyrillic,
       "the name \"" + cyrillic + "\" does not fit " + westernName},
      {"EmptyName", {}, {}, "", "the battle needs a name"},
      {"MissionNameTooLong", {{"abcdefghijklmnopq.tie", "m"}}, {}, "Strike",
       "the mission name abcdefghijklmnopq.tie is longer than 20 characters"},
      {"DeviceName", {{"con.tie", "m"}}, {}, "Strike", "con.tie is a device name on Windows", true},
      {"WildcardInAName", {{"what?.txt", "m"}}, {}, "Strike",
       "what?.txt holds a character Windows does not allow in a file name", true},
      {"TrailingDot", {{"notes.", "m"}}, {}, "Strike",
       "notes. ends with a dot or a blank, which Windows drops", true},
      {"NoMissions", {}, allMissions, "Strike", "the folder holds no missions (*.tie files)"},
      {"TooManyMissions", many, allMissions, "Strike",
       "the folder holds 256 missions; a battle list holds at most 255"},
      {"OwnBattleList", {{"Battle.KZB", "x"}}, {}, "Strike",
       "Battle.KZB: the folder holds a battle list already; pack writes its own"},
      {"OrderNamesAMissingMission", {{"missions.txt", "a.tie\nB.TIE\nc.tie\nd.tie\n"}}, {},
       "Strike", "missions.txt names d.tie, which is not a *.tie file of the folder"},
      {"OrderNamesAMissionTwice", {{"missions.txt", "a.tie\nB.TIE\nA.tie\n"}}, {}, "Strike",
       "missions.txt names A.tie twice"},
      {"OrderLeavesAMissionOut", {{"missions.txt", "a.tie\nB.TIE\n"}}, {}, "Strike",
       "c.tie is not named in missions.txt; the battle list would not name it, so no game would "
       "see it"},
  };
}

class PackRefusalTest : public PackBattleTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PackRefusalTest, IsExplainedAndWritesNothing) {
  const Refusal& refusal = GetParam();
#ifdef _WIN32
  if (refusal.posixOnly) GTEST_SKIP() << "Windows cannot create such a file";
#endif
  for (const auto& [name, bytes] : refusal.files) temp.WriteFile("battle/" + name, bytes);
  for (const std::string& name : refusal.removed)
    std::filesystem::remove(temp.Native("battle/" + name));
  PackRequest request = Request();
  request.name = refusal.name;

  const PackResult result = PackBattle(request);
  EXPECT_FALSE(result.packed);
  EXPECT_EQ(result.refusal, refusal.refusal);
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"battle/"}));
}

INSTANTIATE_TEST_SUITE_P(EveryRefusal, PackRefusalTest, ::testing::ValuesIn(Refusals()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(PackBattleTest, NamesThatDifferOnlyInCaseAreRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "two such names cannot exist side by side on Windows";
#endif
  temp.WriteFile("battle/maps/ONE.MAP", "other map");
  const PackResult result = PackBattle(Request());
  EXPECT_FALSE(result.packed);
  const bool either = result.refusal ==
                          "maps\\one.map and maps\\ONE.MAP differ only in letter case; unpacked on "
                          "Windows one would replace the other" ||
                      result.refusal ==
                          "maps\\ONE.MAP and maps\\one.map differ only in letter case; unpacked on "
                          "Windows one would replace the other";
  EXPECT_TRUE(either) << result.refusal;
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"battle/"}));
}

}  // namespace
}  // namespace vantrel
