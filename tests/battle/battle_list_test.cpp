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

// A list as "game|key|name|count|[mission]...", the game "-" when there is none.
std::string Describe(const BattleList& list) {
  std::string text = list.game ? std::to_string(*list.game) : "-";
  text += "|" + std::to_string(list.missionKey) + "|" + list.name + "|" +
          std::to_string(list.listedCount) + "|";
  for (const std::string& mission : list.missions) text += "[" + mission + "]";
  return text;
}

// Built here without the fixture helper, so that both cannot share one mistake.
std::string HandBuiltList() {
  std::string bytes(55 + 21 * 2 + 1, '\0');
  bytes[0] = 2;
  bytes[1] = static_cast<char>(0xC3);
  std::memcpy(&bytes[2], "Name", 4);
  bytes[53] = 2;
  bytes[54] = 'R';  // reserved, never read
  std::memcpy(&bytes[55], "one.tie", 7);
  std::memcpy(&bytes[76], "two.tie", 7);
  return bytes;
}

TEST(BattleList, ReadsWholeListsAndListsCutShortAsFarAsTheyGo) {
  const std::string hoth = BattleListBytes(0, 9, "Hoth Evacuation", {"a.tie"});
  // Room for five entries, two of them there, and the final byte: a third entry would
  // begin at the last byte.
  const std::string fiveOfTwo = BattleListBytes(1, 0, "B", 5, {"m1.tie", "m2.tie"});
  const std::string name50 = "The Fifty Character Battle Name Of The Club KZ 50!";
  const std::string name51(51, 'N');
  const std::string mission21 = "abcdefghijklmnopq.tie";
  struct Case {
    const char* what;
    std::string bytes;
    std::string read;
  };
  const Case cases[] = {
      {"every field", BattleListBytes(3, 0x5A, "Battle of Endor", {"b1m1.tie", "B1M2.TIE", "x"}),
       "3|90|Battle of Endor|3|[b1m1.tie][B1M2.TIE][x]"},
      {"the fields at their offsets", HandBuiltList(), "2|195|Name|2|[one.tie][two.tie]"},
      {"an empty file", "", "-|0||0|"},
      {"one byte is enough for the game", testing::Bytes({1}), "1|0||0|"},
      {"cut before the name", hoth.substr(0, 2), "0|9||0|"},
      {"cut inside the name", hoth.substr(0, 8), "0|9|Hoth E|0|"},
      // Without the count byte there are no missions, whatever follows would say.
      {"cut before the count", hoth.substr(0, 53), "0|9|Hoth Evacuation|0|"},
      {"a count larger than the file", fiveOfTwo, "1|0|B|5|[m1.tie][m2.tie][]"},
      {"cut after the second entry", fiveOfTwo.substr(0, 55 + 42), "1|0|B|5|[m1.tie][m2.tie]"},
      {"cut inside the second entry", fiveOfTwo.substr(0, 55 + 21 + 4), "1|0|B|5|[m1.tie][m2.t]"},
      {"fields filled without terminators", BattleListBytes(3, 1, name51, {mission21, "next.tie"}),
       "3|1|" + name51 + "|2|[" + mission21 + "][next.tie]"},
      {"a fifty-character name", BattleListBytes(0, 0, name50, {}), "0|0|" + name50 + "|0|"},
      {"bytes after the last field", BattleListBytes(2, 7, "B", {"m.tie"}) + "trailing bytes",
       "2|7|B|1|[m.tie]"},
      {"Windows Western text", BattleListBytes(0, 0, "Cr\xE9" "dits \x80", {"Misi\xF3n.tie"}),
       "0|0|Cr\xC3\xA9" "dits \xE2\x82\xAC|1|[Misi\xC3\xB3n.tie]"},
      {"UTF-8 text", BattleListBytes(0, 0, "Cr\xC3\xA9" "dits", {}), "0|0|Cr\xC3\xA9" "dits|0|"},
  };
  ASSERT_EQ(name50.size(), 50u);
  ASSERT_EQ(mission21.size(), 21u);
  for (const Case& c : cases) EXPECT_EQ(Describe(ParseBattleList(c.bytes)), c.read) << c.what;
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
