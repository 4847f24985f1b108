// Deciphering on every core gives what deciphering the missions in turn gives: every byte
// of every plain mission, the progress steps, the journal told of the missions in list
// order before any is written, and after failures the message of the first failing
// mission of the list, with no plain mission left.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/decrypt_missions.h"
#include "tests/battle/battle_fixture.h"
#include "tests/fakes/faulty_file_system.h"

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;
using testing::FileOperation;

class ParallelDecryptTest : public testing::BattleTest {};

TEST_F(ParallelDecryptTest, MatchesDecipheringInTurn) {
  // Forty missions from empty to three blocks long; the last repeats the third's name.
  std::vector<testing::Mission> missions;
  for (std::size_t i = 0; i < 40; ++i) {
    std::string bytes(i % 5 == 0 ? 0 : i * 7919 * 37 % (700 * 1024), '\0');
    for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char>(b * 31 + i);
    missions.push_back({"m" + std::to_string(i) + ".tie", bytes});
  }
  missions.push_back({"M2.TIE", missions[2].second});
  struct Case {
    int readFailure, writeFailure, journalFailure;  // missions that fail, or -1
    Texts messages;
    std::size_t steps;  // progress steps shown
  };
  const Case cases[] = {{11, 12, -1, {"Error reading the source mission!"}, 12},
                        {34, 8, -1, {"Error writing new mission!"}, 9},
                        {-1, 30, 20, {"Error writing new mission!"}, 21},
                        {-1, -1, -1, {}, missions.size()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "failing " << c.readFailure << ", " << c.writeFailure);
    Stage(GameId::XwingAlliance, 0xB3, missions);
    testing::FakeDesktop attempt;
    testing::FaultyFileSystem faulty;
    const testing::ScopedFileSystem installed(faulty);
    const auto mission = [](int i) { return "\\m" + std::to_string(i) + ".tie"; };
    if (c.readFailure >= 0) faulty.FailAlways(FileOperation::FileRead, mission(c.readFailure));
    if (c.writeFailure >= 0) faulty.FailAlways(FileOperation::FileWrite, mission(c.writeFailure));
    Texts told;
    const auto record = [&](const std::string& name) {
      EXPECT_TRUE(temp.List("XWA/MISSIONS").empty()) << name;
      told.push_back(name);
      return name != mission(c.journalFailure).substr(1);
    };

    EXPECT_EQ(DecryptMissions(window, status, GameId::XwingAlliance, record), c.messages.empty());
    EXPECT_EQ(attempt.MessageTexts(), c.messages);
    std::vector<int> progress;
    for (std::size_t i = 0; i < c.steps; ++i) {
      progress.push_back(static_cast<int>((i + 1) * 100 / missions.size()));
    }
    EXPECT_EQ(attempt.progress(), progress);
    if (!c.messages.empty()) {
      EXPECT_TRUE(temp.List("XWA/MISSIONS").empty());
      continue;
    }
    EXPECT_EQ(told.size(), missions.size() - 1);
    for (std::size_t i = 0; i < told.size(); ++i) EXPECT_EQ(told[i], missions[i].first);
    EXPECT_EQ(temp.List("XWA/MISSIONS").size(), missions.size() - 1);
    for (std::size_t i = 0; i + 1 < missions.size(); ++i) {
      EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/" + missions[i].first), missions[i].second) << i;
    }
  }
}

}  // namespace
}  // namespace vantrel
