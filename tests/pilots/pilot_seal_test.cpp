#include "pilots/pilot_seal.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

// Where each game's seal reads A and B and writes the seal.
struct Places {
  GameId game;
  std::size_t a;
  std::size_t b;
  std::size_t seal;
};

const Places kPlaces[] = {
    {GameId::TieFighter, 0x0660, 0x0668, 0x0E73},
    {GameId::XwingVsTie, 0x127DA, 0x127EA, 0x109D},
    {GameId::BalanceOfPower, 0x14176, 0x14186, 0x109D},
    {GameId::XwingAlliance, 0x1148A, 0x1149A, 0x1B3B9},
};

class PilotSealTest : public testing::PilotTest {
 protected:
  // A pilot file of `size` bytes with A, B and, for the games that keep it in the file, N
  // in place; every other byte is 0x5A, so a seal written elsewhere shows.
  std::string PilotBytes(const Places& places, std::size_t size, int n, int a, int b) {
    std::string bytes(size, '\x5A');
    const auto put = [&bytes](std::size_t offset, int value) {
      if (offset < bytes.size()) bytes[offset] = static_cast<char>(value);
    };
    if (places.game != GameId::TieFighter) put(1, n);
    put(places.a, a);
    put(places.b, b);
    return bytes;
  }
  static std::size_t FullSize(const Places& places) {
    return std::max({places.a, places.b, places.seal}) + 1;
  }
};

TEST(PilotSeal, IsNMinusAModulo256XorB) {
  EXPECT_EQ(PilotSeal(0x75, 0x10, 0x22), 0x47);
  EXPECT_EQ(PilotSeal(0x10, 0x20, 0x0F), 0xFF);
  EXPECT_EQ(PilotSeal(0x00, 0x00, 0x00), 0x00);
  EXPECT_EQ(PilotSeal(0x00, 0x01, 0x00), 0xFF);
}

TEST_F(PilotSealTest, WorkedExamplesSealEachGamesPilotAtItsOffset) {
  struct Example {
    int n, a, b, seal;
  };
  const Example examples[] = {{0x75, 0x10, 0x22, 0x47}, {0x10, 0x20, 0x0F, 0xFF}};
  for (const Places& places : kPlaces) {
    if (places.game == GameId::TieFighter) continue;
    for (const Example& example : examples) {
      SCOPED_TRACE(testing::PilotTest::FolderOf(places.game) + " seal " +
                   std::to_string(example.seal));
      const std::string before =
          PilotBytes(places, FullSize(places), example.n, example.a, example.b);
      temp.WriteFile(In(places.game, "Luke0.plt"), before);
      EXPECT_TRUE(SealPilotFile(places.game, "Luke0.plt"));
      std::string expected = before;
      expected[places.seal] = static_cast<char>(example.seal);
      EXPECT_EQ(testing::FirstDifference(temp.ReadFile(In(places.game, "Luke0.plt")).value_or(""),
                                         expected),
                std::nullopt);
    }
  }
}

// TIE Fighter's N is the second byte of the file's name in the game's character set.
TEST_F(PilotSealTest, TieFighterTakesNFromTheSecondByteOfTheFileName) {
  const Places& tie = kPlaces[0];
  struct Case {
    std::string file;
    int a, b;
    char seal;
  };
  const Case cases[] = {
      {"Luke.tfr", 0x10, 0x22, '\x47'},  // 'u' is 0x75, as in the first worked example
      {"A.TFR", 0x3E, 0x0F, '\xFF'},     // the full stop: (2E - 3E) is F0, XOR 0F gives FF
      {"A", 0x10, 0x22, '\xD2'},         // the NUL: (00 - 10) is F0, XOR 22 gives D2
      // "Jé.tfr": é is E9 in the game's character set.
      {"J\xC3\xA9.tfr", 0x10, 0x22, static_cast<char>((0xE9 - 0x10) ^ 0x22)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string before = PilotBytes(tie, FullSize(tie), 0, c.a, c.b);
    temp.WriteFile(In(GameId::TieFighter, c.file), before);
    EXPECT_TRUE(SealPilotFile(GameId::TieFighter, c.file));
    std::string expected = before;
    expected[tie.seal] = c.seal;
    EXPECT_EQ(testing::FirstDifference(temp.ReadFile(In(GameId::TieFighter, c.file)).value_or(""),
                                       expected),
              std::nullopt);
  }
}

TEST_F(PilotSealTest, SealingTwiceWritesTheSameByte) {
  const Places& xwa = kPlaces[3];
  temp.WriteFile(In(GameId::XwingAlliance, "Luke0.plt"),
                 PilotBytes(xwa, FullSize(xwa), 0x75, 0x10, 0x22));
  ASSERT_TRUE(SealPilotFile(GameId::XwingAlliance, "Luke0.plt"));
  const std::optional<std::string> once = temp.ReadFile(In(GameId::XwingAlliance, "Luke0.plt"));
  ASSERT_TRUE(SealPilotFile(GameId::XwingAlliance, "Luke0.plt"));
  EXPECT_EQ(temp.ReadFile(In(GameId::XwingAlliance, "Luke0.plt")), once);
  EXPECT_EQ(once.value_or("").at(0x1B3B9), '\x47');
}

// A file too short for the offsets, or read-only, is left unchanged.
TEST_F(PilotSealTest, AFileTooShortOrReadOnlyIsLeftUnchanged) {
  for (const Places& places : kPlaces) {
    SCOPED_TRACE(testing::PilotTest::FolderOf(places.game));
    const bool tie = places.game == GameId::TieFighter;
    const std::pair<std::string, std::size_t> files[] = {
        {tie ? "LUKE.TFR" : "Luke0.plt", FullSize(places) - 1},
        {tie ? "WEDGE.TFR" : "Wedge0.plt", FullSize(places)}};
    for (const auto& [name, size] : files) {
      const std::string before = PilotBytes(places, size, 0x75, 0x10, 0x22);
      temp.WriteFile(In(places.game, name), before);
      if (size == FullSize(places)) {
        ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(In(places.game, name)), true));
      }
      EXPECT_FALSE(SealPilotFile(places.game, name)) << name;
      EXPECT_EQ(temp.ReadFile(In(places.game, name)), before);
    }
  }
}

TEST_F(PilotSealTest, NoPilotOrAMissingFileSealsNothing) {
  EXPECT_FALSE(SealPilotFile(GameId::XwingVsTie, std::nullopt));
  EXPECT_FALSE(SealPilotFile(GameId::XwingVsTie, "Luke0.plt"));
  EXPECT_TRUE(temp.List(FolderOf(GameId::XwingVsTie)).empty());
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace vantrel
