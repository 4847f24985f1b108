// The battle list reader against exact byte layouts: whole lists, lists cut short at
// every kind of place, fields without terminators, and texts in both encodings.
#include "battle/battle_list.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;
using testing::BattleListBytes;

TEST(BattleList, ReadsEveryField) {
  const BattleList list =
      ParseBattleList(BattleListBytes(3, 0x5A, "Battle of Endor", {"b1m1.tie", "B1M2.TIE", "x"}));
  EXPECT_EQ(list.game, 3);
  EXPECT_EQ(list.missionKey, 0x5A);
  EXPECT_EQ(list.name, "Battle of Endor");
  EXPECT_EQ(list.listedCount, 3);
  EXPECT_EQ(list.missions, (Names{"b1m1.tie", "B1M2.TIE", "x"}));
}

TEST(BattleList, TheFieldsLieAtTheirOffsets) {
  // Built here without the fixture helper, so that both cannot share one mistake.
  std::string bytes(55 + 21 * 2 + 1, '\0');
  bytes[0] = 2;
  bytes[1] = static_cast<char>(0xC3);
  std::memcpy(&bytes[2], "Name", 4);
  bytes[53] = 2;
  bytes[54] = 'R';  // reserved, never read
  std::memcpy(&bytes[55], "one.tie", 7);
  std::memcpy(&bytes[76], "two.tie", 7);
  const BattleList list = ParseBattleList(bytes);
  EXPECT_EQ(list.game, 2);
  EXPECT_EQ(list.missionKey, 0xC3);
  EXPECT_EQ(list.name, "Name");
  EXPECT_EQ(list.missions, (Names{"one.tie", "two.tie"}));
}

TEST(BattleList, AnEmptyFileHoldsNothing) {
  const BattleList list = ParseBattleList("");
  EXPECT_EQ(list.game, std::nullopt);
  EXPECT_EQ(list.missionKey, 0);
  EXPECT_EQ(list.name, "");
  EXPECT_EQ(list.listedCount, 0);
  EXPECT_TRUE(list.missions.empty());
}

TEST(BattleList, OneByteIsEnoughForTheGame) {
  const BattleList list = ParseBattleList(testing::Bytes({1}));
  EXPECT_EQ(list.game, 1);
  EXPECT_EQ(list.name, "");
  EXPECT_TRUE(list.missions.empty());
}

TEST(BattleList, ANameCutShortIsReadAsFarAsItGoes) {
  const std::string whole = BattleListBytes(0, 9, "Hoth Evacuation", {"a.tie"});
  EXPECT_EQ(ParseBattleList(whole.substr(0, 2)).name, "");
  EXPECT_EQ(ParseBattleList(whole.substr(0, 2)).missionKey, 9);
  EXPECT_EQ(ParseBattleList(whole.substr(0, 8)).name, "Hoth E");
  // Without the count byte there are no missions, whatever follows would say.
  const BattleList beforeCount = ParseBattleList(whole.substr(0, 53));
  EXPECT_EQ(beforeCount.name, "Hoth Evacuation");
  EXPECT_EQ(beforeCount.listedCount, 0);
  EXPECT_TRUE(beforeCount.missions.empty());
}

TEST(BattleList, ACountLargerThanTheFileGivesTheNamesThatAreThere) {
  const std::string list = BattleListBytes(1, 0, "B", 5, {"m1.tie", "m2.tie"});
  // Two whole entries and the final byte: the third entry would begin at the last byte.
  const BattleList whole = ParseBattleList(list);
  EXPECT_EQ(whole.listedCount, 5);
  EXPECT_EQ(whole.missions, (Names{"m1.tie", "m2.tie", ""}));
  // Cut at the end of the second entry: two names.
  EXPECT_EQ(ParseBattleList(list.substr(0, 55 + 42)).missions, (Names{"m1.tie", "m2.tie"}));
  // Cut inside the second entry: its name as far as it goes.
  EXPECT_EQ(ParseBattleList(list.substr(0, 55 + 21 + 4)).missions, (Names{"m1.tie", "m2.t"}));
}

TEST(BattleList, AFullWidthNameWithoutTerminatorIsReadToItsWidth) {
  const std::string name51(51, 'N');
  const std::string mission21 = "abcdefghijklmnopq.tie";
  ASSERT_EQ(mission21.size(), 21u);
  const BattleList list = ParseBattleList(BattleListBytes(3, 1, name51, {mission21, "next.tie"}));
  EXPECT_EQ(list.name, name51);
  EXPECT_EQ(list.missions, (Names{mission21, "next.tie"}));
}

TEST(BattleList, AFiftyCharacterNameIsWhole) {
  const std::string name50 = "The Fifty Character Battle Name Of The Club KZ 50!";
  ASSERT_EQ(name50.size(), 50u);
  EXPECT_EQ(ParseBattleList(BattleListBytes(0, 0, name50, {})).name, name50);
}

TEST(BattleList, BytesAfterTheLastFieldAreIgnored) {
  const std::string list = BattleListBytes(2, 7, "B", {"m.tie"}) + "trailing bytes";
  const BattleList read = ParseBattleList(list);
  EXPECT_EQ(read.missions, (Names{"m.tie"}));
  EXPECT_EQ(read.name, "B");
}

TEST(BattleList, TextIsWesternSingleByteUnlessItIsUtf8) {
  const BattleList western =
      ParseBattleList(BattleListBytes(0, 0, "Cr\xE9" "dits \x80", {"Misi\xF3n.tie"}));
  EXPECT_EQ(western.name, "Cr\xC3\xA9" "dits \xE2\x82\xAC");
  EXPECT_EQ(western.missions, (Names{"Misi\xC3\xB3n.tie"}));
  const BattleList utf8 = ParseBattleList(BattleListBytes(0, 0, "Cr\xC3\xA9" "dits", {}));
  EXPECT_EQ(utf8.name, "Cr\xC3\xA9" "dits");
}

TEST(BattleList, ReadsAFileFromItsStart) {
  testing::TempFolder temp;
  const std::vector<std::string> missions(255, "m.tie");
  temp.WriteFile("BATTLE.KZB", BattleListBytes(3, 4, "Long", missions) + std::string(10000, 'x'));
  auto file = platform::Files().Open(temp.Path("battle.kzb"), platform::OpenMode::Read);
  ASSERT_NE(file, nullptr);
  std::string skipped(5, '\0');
  ASSERT_EQ(file->Read(skipped.data(), skipped.size()), 5);
  const BattleList list = ReadBattleList(*file);
  EXPECT_EQ(list.game, 3);
  EXPECT_EQ(list.name, "Long");
  EXPECT_EQ(list.missions, missions);
}

// A file that hands out its bytes a few at a time, as a slow medium may.
class TricklingFile : public platform::File {
 public:
  explicit TricklingFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Read(void* buffer, std::size_t size) override {
    const std::size_t count = std::min({size, std::size_t{3}, bytes_.size() - position_});
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<std::int64_t>(count);
  }
  bool Write(const void*, std::size_t) override { return false; }
  bool Seek(std::uint64_t offset) override {
    if (offset > bytes_.size()) return false;
    position_ = static_cast<std::size_t>(offset);
    return true;
  }
  std::optional<std::uint64_t> Size() override { return bytes_.size(); }
  bool SetTimes(const platform::FileTimes&) override { return false; }
  bool Flush() override { return false; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

TEST(BattleList, ShortReadsAreReadOn) {
  TricklingFile file(BattleListBytes(1, 2, "Trickle", {"a.tie", "b.tie"}));
  const BattleList list = ReadBattleList(file);
  EXPECT_EQ(list.name, "Trickle");
  EXPECT_EQ(list.missions, (Names{"a.tie", "b.tie"}));
}

TEST(BattleList, AReadErrorEndsTheList) {
  testing::TempFolder temp;
  temp.WriteFile("battle.kzb", BattleListBytes(1, 2, "Broken", {"a.tie"}));
  testing::FaultyFileSystem faulty;
  faulty.FailNth(testing::FileOperation::FileRead, 1);
  auto file = faulty.Open(temp.Path("battle.kzb"), platform::OpenMode::Read);
  ASSERT_NE(file, nullptr);
  const BattleList list = ReadBattleList(*file);
  EXPECT_EQ(list.game, std::nullopt);
  EXPECT_TRUE(list.missions.empty());
}

}  // namespace
}  // namespace vantrel
