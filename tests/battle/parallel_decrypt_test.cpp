// Deciphering on every core gives what deciphering the missions one after another gives:
// the same bytes in every plain mission, the same progress steps, the same message for
// the first mission of the list that fails, and no plain mission left after a failure.
#include <atomic>
#include <cctype>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/decrypt_missions.h"
#include "platform/file_system.h"
#include "tests/battle/battle_fixture.h"
#include "tests/fakes/faulty_file_system.h"

namespace vantrel {
namespace {

using testing::FileOperation;
using testing::Mission;

// Forty missions of sizes from empty to a few blocks, each with its own bytes; the last
// repeats the name of the third in other letters.
std::vector<Mission> ManyMissions() {
  std::vector<Mission> missions;
  for (std::size_t i = 0; i < 40; ++i) {
    const std::size_t size = i % 5 == 0 ? 0 : (i * 7919 * 37) % (700 * 1024);
    std::string bytes(size, '\0');
    for (std::size_t b = 0; b < size; ++b) bytes[b] = static_cast<char>((b * 31 + i * 17) & 0xFF);
    missions.push_back({"m" + std::to_string(i) + ".tie", std::move(bytes)});
  }
  missions.push_back({"M2.TIE", missions[2].second});
  return missions;
}

// The progress window's positions when missions 0 to `last` have been under way, one
// after another.
std::vector<int> SequentialProgress(std::size_t last, std::size_t count) {
  std::vector<int> positions;
  for (std::size_t i = 0; i <= last; ++i) {
    positions.push_back(
        static_cast<int>(static_cast<double>(i + 1) / static_cast<double>(count) * 100.0));
  }
  return positions;
}

class ParallelDecryptTest : public testing::BattleTest {};

TEST_F(ParallelDecryptTest, EveryMissionIsDecipheredWholeAndTheJournalHearsOfItFirst) {
  const std::vector<Mission> missions = ManyMissions();
  Stage(GameId::XwingAlliance, 0xB3, missions);
  std::set<std::string> announced;
  std::atomic<int> inside{0};
  bool overlapping = false;
  bool writtenBeforeAnnounced = false;
  const auto record = [&](const std::string& name) {
    overlapping |= inside.fetch_add(1) != 0;
    writtenBeforeAnnounced |= temp.Exists("XWA/MISSIONS/" + name);
    announced.insert(name);
    inside.fetch_sub(1);
    return true;
  };

  ASSERT_TRUE(DecryptMissions(window, status, GameId::XwingAlliance, record));
  for (const Mission& mission : missions) {
    std::string lower = mission.first;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/" + lower), mission.second) << mission.first;
  }
  EXPECT_EQ(temp.List("XWA/MISSIONS").size(), missions.size() - 1);
  EXPECT_EQ(announced.size(), missions.size() - 1);
  EXPECT_FALSE(overlapping);
  EXPECT_FALSE(writtenBeforeAnnounced);
  EXPECT_EQ(desktop.progress(), SequentialProgress(missions.size() - 1, missions.size()));
  EXPECT_EQ(status.History(), (std::vector<std::string>{"Decrypting missions...", "Idle"}));
  EXPECT_TRUE(desktop.messages().empty());
}

// Two missions fail, one in reading its source and one in writing its plain copy; the
// first of them in the list is reported, after the progress steps up to it.
struct TwoFailuresCase {
  const char* what;
  std::size_t readFailure;
  std::size_t writeFailure;
  const char* message;
};

TEST_F(ParallelDecryptTest, TheFirstFailingMissionOfTheListIsReportedAndNoPlainMissionStays) {
  const std::vector<TwoFailuresCase> cases = {
      {"read failure first", 11, 12, "Error reading the source mission!"},
      {"write failure first", 34, 8, "Error writing new mission!"},
  };
  const std::vector<Mission> missions = ManyMissions();
  for (const TwoFailuresCase& c : cases) {
    SCOPED_TRACE(c.what);
    Stage(GameId::TieFighter, 0x21, missions);
    testing::FakeDesktop attempt;
    testing::FaultyFileSystem faulty;
    const testing::ScopedFileSystem installed(faulty);
    faulty.FailAlways(FileOperation::FileRead, "KZMISS\\m" + std::to_string(c.readFailure) + ".tie");
    faulty.FailAlways(FileOperation::FileWrite,
                      "MISSION\\m" + std::to_string(c.writeFailure) + ".tie");

    EXPECT_FALSE(DecryptMissions(window, status, GameId::TieFighter));
    EXPECT_EQ(attempt.MessageTexts(), (std::vector<std::string>{c.message}));
    EXPECT_EQ(attempt.progress(),
              SequentialProgress(std::min(c.readFailure, c.writeFailure), missions.size()));
    EXPECT_EQ(attempt.statusWindowsOpen(), 0);
    EXPECT_TRUE(temp.List("TIE/MISSION").empty());
    EXPECT_EQ(status.text(), "Decrypting missions...");
  }
}

}  // namespace
}  // namespace vantrel
