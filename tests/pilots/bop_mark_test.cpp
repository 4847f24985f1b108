#include "pilots/bop_mark.h"

#include <string>
#include <vector>

#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

constexpr GameId kBop = GameId::BalanceOfPower;
constexpr std::size_t kMark = 0x12782;

class BopMarkTest : public testing::PilotTest {
 protected:
  std::string PilotOfSize(std::size_t size) { return std::string(size, '\x5A'); }
  std::string Read(std::string_view file) { return temp.ReadFile(In(kBop, file)).value_or(""); }
};

TEST_F(BopMarkTest, MarksOnlyTheFirstPilotFileTheSearchReturns) {
  temp.WriteFile(In(kBop, "bravo0.pl2"), PilotOfSize(kMark + 10));
  temp.WriteFile(In(kBop, "Alpha0.pl2"), PilotOfSize(kMark + 10));
  temp.WriteFile(In(kBop, "Alpha0.plt"), PilotOfSize(kMark + 10));
  const std::vector<platform::FoundEntry> order = platform::Files().Find(temp.Path("BOP\\*.pl2"));
  ASSERT_EQ(order.size(), 2u);

  MarkBopPilot();
  std::string marked = PilotOfSize(kMark + 10);
  marked[kMark] = '\x01';
  EXPECT_EQ(testing::FirstDifference(Read(order[0].name), marked), std::nullopt);
  EXPECT_EQ(Read(order[1].name), PilotOfSize(kMark + 10));
  EXPECT_EQ(Read("Alpha0.plt"), PilotOfSize(kMark + 10));
}

// A file too short for the mark is left unchanged; marking the last byte keeps the size.
TEST_F(BopMarkTest, MarksOnlyWithinTheFile) {
  temp.WriteFile(In(kBop, "Luke0.pl2"), PilotOfSize(kMark));
  MarkBopPilot();
  EXPECT_EQ(Read("Luke0.pl2"), PilotOfSize(kMark));
  temp.WriteFile(In(kBop, "Luke0.pl2"), PilotOfSize(kMark + 1));
  MarkBopPilot();
  EXPECT_EQ(Read("Luke0.pl2"), PilotOfSize(kMark) + "\x01");
}

TEST_F(BopMarkTest, WithoutPilotFilesNothingIsWrittenOrShown) {
  temp.WriteFile(In(kBop, "Luke0.plt"), PilotOfSize(kMark + 1));
  MarkBopPilot();
  EXPECT_EQ(temp.List(FolderOf(kBop)), (std::vector<std::string>{"Luke0.plt"}));
  EXPECT_EQ(Read("Luke0.plt"), PilotOfSize(kMark + 1));
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace vantrel
