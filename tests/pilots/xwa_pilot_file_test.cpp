// The bytes of a new X-Wing Alliance pilot, checked against a table typed here on its
// own from the file layout the game expects, on the file CreateXwaPilot writes.
#include "pilots/xwa_pilot_file.h"

#include <string>
#include <vector>

#include "pilots/xwa_roster.h"
#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

struct Bytes {
  std::size_t offset;
  std::string value;
};

std::string Ones(std::size_t count) { return std::string(count, '\x01'); }

// Every byte of a new pilot that is not zero, apart from the name and the prepare bytes.
const std::vector<Bytes>& FreshPilotTable() {
  static const std::vector<Bytes> table = {
      {0x0002E, "\x3A"},     {0x10C9B, Ones(72)},   {0x10CE5, Ones(4)},
      {0x10CEA, Ones(2)},    {0x10CED, Ones(3)},    {0x10CF2, Ones(4)},
      {0x10CF7, Ones(21)},   {0x10D11, Ones(5)},    {0x10D17, Ones(1)},
      {0x10D19, Ones(20)},   {0x10D2E, Ones(1)},    {0x10D30, Ones(10)},
      {0x10D3B, Ones(1)},    {0x10D3E, Ones(1)},    {0x10D43, Ones(1)},
      {0x10D48, Ones(1)},    {0x10D4C, Ones(4)},    {0x10D7E, Ones(3)},
      {0x10E9E, "\x02"},     {0x10F12, std::string("Unrated\0", 8)},
      {0x11386, "\x04"},     {0x1138E, "\x3A"},     {0x1B20E, "\x03"},
      {0x1B216, "\x3A"},     {0x250F7, "\x03"},
  };
  return table;
}

std::vector<std::size_t> PrepareOffsets() {
  std::vector<std::size_t> offsets;
  for (std::size_t k = 0; k <= 52; ++k) offsets.push_back(0x0AD0E + 48 * k);
  return offsets;
}

std::string ExpectedPilot(std::string_view name, bool prepare) {
  std::string bytes(152'076, '\0');
  bytes.replace(0, name.size(), name);
  for (const Bytes& entry : FreshPilotTable()) {
    bytes.replace(entry.offset, entry.value.size(), entry.value);
  }
  if (prepare) {
    for (std::size_t offset : PrepareOffsets()) bytes[offset] = '\x01';
  }
  return bytes;
}

class XwaPilotFileTest : public testing::PilotTest {
 protected:
  std::string Created(std::string_view file) {
    return temp.ReadFile(In(GameId::XwingAlliance, file)).value_or("(missing)");
  }
};

// A new pilot is the fresh pilot's layout byte for byte, a prepared one with the 53
// prepare bytes set; the name is cut to its first eleven characters, and an empty name
// gives "0.plt" with an all-NUL name field.
TEST_F(XwaPilotFileTest, NewPilotIsTheFreshPilotLayoutByteForByte) {
  struct Case {
    const char* name;
    bool prepare;
    const char* stored;
  };
  const Case cases[] = {
      {"Luke", false, "Luke"}, {"Wedge", true, "Wedge"}, {"", false, ""},
      {"Abcdefghijkl", false, "Abcdefghijk"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(CreateXwaPilot(c.name, c.prepare));
    const std::string file = Created(std::string(c.stored) + "0.plt");
    EXPECT_EQ(file.size(), 152'076u);
    EXPECT_EQ(testing::FirstDifference(file, ExpectedPilot(c.stored, c.prepare)), std::nullopt);
  }
  EXPECT_EQ(temp.List(FolderOf(GameId::XwingAlliance)),
            (std::vector<std::string>{"0.plt", "Abcdefghijk0.plt", "Luke0.plt", "Wedge0.plt"}));
}

TEST_F(XwaPilotFileTest, SampledOffsetsHoldTheirValues) {
  ASSERT_TRUE(CreateXwaPilot("Biggs", false));
  const std::string file = Created("Biggs0.plt");
  ASSERT_EQ(file.size(), 0x2520Cu);
  EXPECT_EQ(file.substr(0, 12), std::string("Biggs\0\0\0\0\0\0\0", 12));
  EXPECT_EQ(file[0x2D], '\0');
  EXPECT_EQ(file[0x2E], '\x3A');
  EXPECT_EQ(file[0x2F], '\0');
  EXPECT_EQ(file.substr(0x10C9A, 74), std::string(1, '\0') + Ones(72) + std::string(1, '\0'));
  EXPECT_EQ(file.substr(0x10F12, 8), std::string("Unrated\0", 8));
  EXPECT_EQ(file[0x250F7], '\x03');
  EXPECT_EQ(file[0x2520B], '\0');
  EXPECT_EQ(file[0x0AD0E], '\0');
}

TEST_F(XwaPilotFileTest, PreparedAndPlainPilotsDifferInExactlyThe53PrepareBytes) {
  ASSERT_TRUE(CreateXwaPilot("Plain", false));
  ASSERT_TRUE(CreateXwaPilot("Ready", true));
  const std::string plain = Created("Plain0.plt").replace(0, 12, 12, '\0');
  const std::string ready = Created("Ready0.plt").replace(0, 12, 12, '\0');
  ASSERT_EQ(plain.size(), ready.size());
  std::vector<std::size_t> differences;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] != ready[i]) {
      differences.push_back(i);
      EXPECT_EQ(plain[i], '\0') << "at " << i;
      EXPECT_EQ(ready[i], '\x01') << "at " << i;
    }
  }
  EXPECT_EQ(differences, PrepareOffsets());
  EXPECT_EQ(differences.back(), 0x0B6CEu);
}

TEST(CutXwaPilotName, KeepsElevenBytesAndNeverSplitsACharacter) {
  EXPECT_EQ(CutXwaPilotName("Luke"), "Luke");
  EXPECT_EQ(CutXwaPilotName("Abcdefghijk"), "Abcdefghijk");
  EXPECT_EQ(CutXwaPilotName("Abcdefghijkl"), "Abcdefghijk");
  // "é" takes bytes 11 and 12; it goes whole.
  EXPECT_EQ(CutXwaPilotName("Abcdefghij\xC3\xA9"), "Abcdefghij");
  EXPECT_EQ(CutXwaPilotName("Abcdefghi\xC3\xA9z"), "Abcdefghi\xC3\xA9");
}

}  // namespace
}  // namespace vantrel
