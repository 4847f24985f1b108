#include "pilots/xwa_pilot_list.h"

#include <string>
#include <vector>

#include "pilots/xwa_roster.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/pilots/pilot_fixture.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

class XwaPilotListTest : public testing::PilotTest {
 protected:
  // A pilot file whose first bytes hold `storedName` and its NUL, then some of the rest
  // of a pilot.
  void Pilot(std::string_view file, std::string_view storedName) {
    std::string bytes(64, '\x5A');
    bytes.replace(0, 12, 12, '\0');
    bytes.replace(0, storedName.size(), storedName);
    temp.WriteFile(In(kXwa, file), bytes);
  }
  void LastPilot(std::string_view name) {
    WriteConfig("lastpilot " + std::string(name) + "\r\nsound 1\r\n");
  }

  testing::FakeWindow dialog;
};

TEST_F(XwaPilotListTest, EveryPilotFileIsListedByItsStoredName) {
  Pilot("Luke0.plt", "Luke");
  Pilot("renamed0.plt", "Wedge");
  temp.WriteFile(In(kXwa, "Han0.pl2"), "Han");
  temp.WriteFile(In(kXwa, "notes.txt"), "Biggs");
  const PilotList list = ReadXwaPilotList(&dialog);
  EXPECT_EQ(list.entries, (Names{"Luke", "Wedge"}));
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(XwaPilotListTest, APilotListedByAStoredNameOtherThanItsFileCannotBeDeletedByIt) {
  Pilot("renamed0.plt", "Wedge");
  ASSERT_EQ(ReadXwaPilotList(&dialog).entries, (Names{"Wedge"}));
  EXPECT_FALSE(DeleteXwaPilot("Wedge"));
  EXPECT_EQ(desktop.MessageTexts(), (Names{"Can't find pilot to delete"}));
  EXPECT_TRUE(temp.Exists(In(kXwa, "renamed0.plt")));
}

TEST_F(XwaPilotListTest, StoredNameIsTheTextBeforeTheFirstNulOfThirteenBytes) {
  temp.WriteFile(In(kXwa, "a.plt"), "ABCDEFGHIJKLMNOP");
  temp.WriteFile(In(kXwa, "b.plt"), "Han");
  temp.WriteFile(In(kXwa, "c.plt"), std::string("Jan\0Ors", 7));
  temp.WriteFile(In(kXwa, "d.plt"), "");
  const PilotList list = ReadXwaPilotList(&dialog);
  EXPECT_EQ(list.entries, (Names{"", "ABCDEFGHIJKLM", "Han", "Jan"}));
}

TEST_F(XwaPilotListTest, EntriesAreSortedWithoutRegardToLetterCase) {
  Pilot("1.plt", "charlie");
  Pilot("2.plt", "Bravo");
  Pilot("3.plt", "alpha");
  Pilot("4.plt", "ALPHA2");
  EXPECT_EQ(ReadXwaPilotList(&dialog).entries, (Names{"alpha", "ALPHA2", "Bravo", "charlie"}));
}

TEST_F(XwaPilotListTest, TwoFilesWithOneStoredNameGiveTwoEqualEntries) {
  Pilot("Luke0.plt", "Luke");
  Pilot("Luke20.plt", "Luke");
  EXPECT_EQ(ReadXwaPilotList(&dialog).entries, (Names{"Luke", "Luke"}));
}

TEST_F(XwaPilotListTest, NoPilotFilesGiveAnEmptyListWithoutSelection) {
  LastPilot("Luke");
  temp.MakeFolder(In(kXwa, "folder.plt"));
  const PilotList list = ReadXwaPilotList(&dialog);
  EXPECT_TRUE(list.entries.empty());
  EXPECT_EQ(list.selected, std::nullopt);
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(XwaPilotListTest, APilotFileThatCannotBeOpenedSaysErrorAndTheOthersAreListed) {
  Pilot("Han0.plt", "Han");
  Pilot("Luke0.plt", "Luke");
  Pilot("Wedge0.plt", "Wedge");
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.FailAlways(testing::FileOperation::Open, "Luke0.plt");
  const PilotList list = ReadXwaPilotList(&dialog);
  EXPECT_EQ(list.entries, (Names{"Han", "Wedge"}));
  testing::ExpectOnlyMessage(desktop, {&dialog, "error", " ", ui::Icon::None, ui::Buttons::Ok});
}

// Lukas and Luke: the list box sorts Lukas first.
class LastPilotSelectionTest : public XwaPilotListTest {
 protected:
  LastPilotSelectionTest() {
    Pilot("Luke0.plt", "Luke");
    Pilot("Lukas0.plt", "Lukas");
  }
  std::optional<std::size_t> SelectedFor(std::string_view lastPilot) {
    LastPilot(lastPilot);
    const PilotList list = ReadXwaPilotList(&dialog);
    EXPECT_EQ(list.entries, (Names{"Lukas", "Luke"}));
    return list.selected;
  }
};

TEST_F(LastPilotSelectionTest, TheLastPilotIsSelectedAsTheListBoxFindsIt) {
  // Without a configuration file entry 0 stays selected, and nothing is said.
  EXPECT_EQ(ReadXwaPilotList(&dialog).selected, 0u);
  EXPECT_TRUE(desktop.messages().empty());
  const std::pair<const char*, std::size_t> cases[] = {
      {"Luke", 1},
      {"Lu", 1},     // the search begins after entry 0
      {"Lukas", 0},  // found only after the search wraps around
      {"LUKE", 1},   // matched without regard to letter case
      {"Wedge", 0},  // unlisted: entry 0 stays selected
      {"Lukes", 0},
  };
  for (const auto& [lastPilot, selected] : cases) {
    EXPECT_EQ(SelectedFor(lastPilot), selected) << lastPilot;
  }
}

TEST(SelectString, SearchesFromTheEntryAfterTheStartAndWrapsAroundToIt) {
  const Names entries = {"Alpha", "Bravo", "Alpine", "Charlie"};
  EXPECT_EQ(SelectString(entries, 0, "Al"), 2u);
  EXPECT_EQ(SelectString(entries, 2, "Al"), 0u);
  EXPECT_EQ(SelectString(entries, 1, "Al"), 2u);
  EXPECT_EQ(SelectString(entries, 3, "b"), 1u);
  EXPECT_EQ(SelectString(entries, 1, "bravo"), 1u);
  EXPECT_EQ(SelectString(entries, 0, "Alpha"), 0u);
  EXPECT_EQ(SelectString(entries, 0, "Delta"), std::nullopt);
  EXPECT_EQ(SelectString(entries, 0, "Alphabet"), std::nullopt);
  // An empty name or an empty list selects nothing.
  EXPECT_EQ(SelectString({"Luke"}, 0, ""), std::nullopt);
  EXPECT_EQ(SelectString({}, 0, "Luke"), std::nullopt);
  // Latin-1 letters fold as the file system folds them.
  EXPECT_EQ(SelectString({"x", "\xC3\x89tienne"}, 0, "\xC3\xA9t"), 1u);
}

}  // namespace
}  // namespace vantrel
