#include "pilots/tie_pilots.h"

#include <optional>
#include <string>
#include <vector>

#include "tests/pilots/pilot_fixture.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;
using platform::FileTime;

constexpr GameId kTie = GameId::TieFighter;
constexpr FileTime kSecond = 10'000'000;
constexpr FileTime kMinute = 60 * kSecond;
// 2024-05-17 13:47:25 UTC, the time a game starts.
constexpr FileTime kStart = testing::FromUnixSeconds(1'715'953'645);

class TiePilotsTest : public testing::PilotTest {
 protected:
  void Pilot(std::string_view file) { temp.WriteFile(In(kTie, file), "pilot"); }
  std::string PathOf(std::string_view file) const { return temp.Path("TIE\\" + std::string(file)); }
  std::optional<FileTime> LastWrite(std::string_view file) const {
    const std::optional<platform::FileTimes> times = platform::Files().GetTimes(PathOf(file));
    return times ? times->lastWrite : std::nullopt;
  }
  // The game writing a pilot file at `t`.
  void Written(std::string_view file, FileTime t) {
    platform::FileTimes times;
    times.lastWrite = t;
    ASSERT_TRUE(platform::Files().SetTimes(PathOf(file), times));
  }
  // The names the folder search gives, in its order.
  Names SearchOrder() const {
    Names names;
    for (const platform::FoundEntry& entry : platform::Files().Find(PathOf("*.tfr"))) {
      names.push_back(entry.name);
    }
    return names;
  }

  testing::FakeWindow mainWindow;
};

TEST(MinuteOf, IsTheMinuteWithinTheHourInUtc) {
  EXPECT_EQ(MinuteOf(kStart), 47u);
  EXPECT_EQ(MinuteOf(kStart + 35 * kSecond - 1), 47u);
  EXPECT_EQ(MinuteOf(kStart + 35 * kSecond), 48u);
  EXPECT_EQ(MinuteOf(kStart + 13 * kMinute), 0u);
  EXPECT_EQ(MinuteOf(0), 0u);
}

TEST_F(TiePilotsTest, StampingSetsTheLastWriteTimeOfEveryPilotFile) {
  Pilot("LUKE.TFR");
  Pilot("wedge.tfr");
  temp.WriteFile(In(kTie, "readme.txt"), "x");
  const std::optional<FileTime> readmeBefore = LastWrite("readme.txt");
  StampTiePilots(mainWindow, kTie, kStart);
  EXPECT_EQ(LastWrite("LUKE.TFR"), kStart);
  EXPECT_EQ(LastWrite("wedge.tfr"), kStart);
  EXPECT_EQ(LastWrite("readme.txt"), readmeBefore);
  EXPECT_NE(readmeBefore, kStart);
  EXPECT_EQ(temp.ReadFile(In(kTie, "LUKE.TFR")), "pilot");
  EXPECT_TRUE(desktop.messages().empty());
}

// Stamping tells the main window; finding, which runs after the game, tells no owner.
TEST_F(TiePilotsTest, StampingOrFindingWithoutPilotsSaysNoPilots) {
  StampTiePilots(mainWindow, kTie, kStart);
  testing::ExpectOnlyMessage(desktop,
                             {&mainWindow, "no pilots", " ", ui::Icon::None, ui::Buttons::Ok});
  EXPECT_EQ(FindFlownTiePilot(kStart), std::nullopt);
  testing::ExpectLastMessage(desktop, 2,
                             {nullptr, "no pilots", " ", ui::Icon::None, ui::Buttons::Ok});
}

TEST_F(TiePilotsTest, ThePilotWrittenInALaterMinuteIsTheFlownPilot) {
  Pilot("LUKE.TFR");
  Pilot("WEDGE.TFR");
  Pilot("ZEV.TFR");
  StampTiePilots(mainWindow, kTie, kStart);
  Written("WEDGE.TFR", kStart + 25 * kMinute);
  EXPECT_EQ(FindFlownTiePilot(kStart), "WEDGE.TFR");
  EXPECT_TRUE(desktop.messages().empty());
}

// Only a minute other than the start's counts: a pilot not written at all, written in the
// same minute, or whole hours later to the minute is not the flown pilot.
TEST_F(TiePilotsTest, APilotNotWrittenInAnotherMinuteIsNotFound) {
  Pilot("LUKE.TFR");
  for (const std::optional<FileTime> written :
       {std::optional<FileTime>(), std::optional(kStart + 34 * kSecond),
        std::optional(kStart + 120 * kMinute + 10 * kSecond)}) {
    StampTiePilots(mainWindow, kTie, kStart);
    if (written) Written("LUKE.TFR", *written);
    EXPECT_EQ(FindFlownTiePilot(kStart), std::nullopt);
  }
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(TiePilotsTest, OfTwoPilotsWrittenTheLastInSearchOrderIsFound) {
  Pilot("alpha.tfr");
  Pilot("BRAVO.TFR");
  Pilot("charlie.tfr");
  StampTiePilots(mainWindow, kTie, kStart);
  Names written;
  for (const std::string& name : SearchOrder()) {
    if (name != "charlie.tfr") written.push_back(name);
  }
  ASSERT_EQ(written.size(), 2u);
  // The one found first was written later: the search order decides, not the time.
  Written(written[0], kStart + 3 * kMinute);
  Written(written[1], kStart + 2 * kMinute);
  EXPECT_EQ(FindFlownTiePilot(kStart), written[1]);
}

TEST_F(TiePilotsTest, AFileNameOfTwentyCharactersGivesNoPilot) {
  Pilot("ABCDEFGHIJKLMNOP.TFR");
  Pilot("ABCDEFGHIJKLMNO.TFR");
  StampTiePilots(mainWindow, kTie, kStart);
  Written("ABCDEFGHIJKLMNOP.TFR", kStart + kMinute);
  EXPECT_EQ(FindFlownTiePilot(kStart), std::nullopt);
  Written("ABCDEFGHIJKLMNO.TFR", kStart + kMinute);
  EXPECT_EQ(FindFlownTiePilot(kStart), "ABCDEFGHIJKLMNO.TFR");
}

}  // namespace
}  // namespace vantrel
