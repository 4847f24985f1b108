#include "pilots/xwa_roster.h"

#include <functional>
#include <string>
#include <vector>

#include "tests/fakes/faulty_file_system.h"
#include "tests/pilots/pilot_fixture.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

class XwaRosterTest : public testing::PilotTest {
 protected:
  Names Folder() const { return temp.List(FolderOf(kXwa)); }

  // The roster's messages have no owner and an exclamation icon.
  void ExpectMessages(std::size_t count, std::string_view lastText) {
    ASSERT_EQ(desktop.messages().size(), count);
    const testing::ShownMessage& shown = desktop.messages().back();
    EXPECT_EQ(shown.text, lastText);
    EXPECT_EQ(shown.owner, nullptr);
    EXPECT_EQ(shown.title, "VNTL");
    EXPECT_EQ(shown.icon, ui::Icon::Exclamation);
    EXPECT_EQ(shown.buttons, ui::Buttons::Ok);
  }
  void ExpectOneMessage(std::string_view text) { ExpectMessages(1, text); }
};

TEST_F(XwaRosterTest, LastPilotIsTheWordAfterTheFirstTenCharacters) {
  WriteConfig("lastpilot Luke\r\nsound 1\r\n");
  EXPECT_EQ(ReadXwaLastPilot(), "Luke");
}

TEST_F(XwaRosterTest, LastPilotEndsAtABlankATabOrTheEndOfTheFile) {
  WriteConfig("lastpilot Luke Skywalker\r\n");
  EXPECT_EQ(ReadXwaLastPilot(), "Luke");
  WriteConfig("lastpilot Wedge\tAntilles\n");
  EXPECT_EQ(ReadXwaLastPilot(), "Wedge");
  WriteConfig("lastpilot Biggs");
  EXPECT_EQ(ReadXwaLastPilot(), "Biggs");
  WriteConfig("lastpilot \r\nLuke\r\n");
  EXPECT_EQ(ReadXwaLastPilot(), "");
  WriteConfig("lastpil");
  EXPECT_EQ(ReadXwaLastPilot(), "");
}

TEST_F(XwaRosterTest, LastPilotIsMissingWithoutConfigFile) {
  EXPECT_EQ(ReadXwaLastPilot(), std::nullopt);
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(XwaRosterTest, WritingLastPilotReplacesOnlyTheFirstLine) {
  WriteConfig("lastpilot Luke\r\nsound 1\r\n\r\n  music 0 \r\nend");
  WriteXwaLastPilot("Wedge");
  EXPECT_EQ(Config(), "lastpilot Wedge\r\nsound 1\r\n\r\n  music 0 \r\nend");
  EXPECT_EQ(Folder(), (Names{"CONFIG.CFG"}));
}

TEST_F(XwaRosterTest, WritingLastPilotReplacesWhateverTheFirstLineHeld) {
  WriteConfig("something else entirely\r\nsound 1\r\n");
  WriteXwaLastPilot("Luke");
  EXPECT_EQ(Config(), "lastpilot Luke\r\nsound 1\r\n");
}

TEST_F(XwaRosterTest, WritingLastPilotEndsEveryLineWithCrLf) {
  WriteConfig("lastpilot Luke\nsound 1\nmusic 0\n\nend\n");
  WriteXwaLastPilot("Luke");
  EXPECT_EQ(Config(), "lastpilot Luke\r\nsound 1\r\nmusic 0\r\n\r\nend\r\n");
}

TEST_F(XwaRosterTest, WritingLastPilotKeepsCrLfAndALoneCr) {
  WriteConfig("lastpilot Luke\r\na\rb\nc\r\r\nd");
  WriteXwaLastPilot("Han");
  EXPECT_EQ(Config(), "lastpilot Han\r\na\rb\r\nc\r\r\nd");
}

TEST_F(XwaRosterTest, WritingLastPilotOverAOneLineFileLeavesOneLine) {
  WriteConfig("lastpilot Luke");
  WriteXwaLastPilot("Han");
  EXPECT_EQ(Config(), "lastpilot Han\r\n");
}

TEST_F(XwaRosterTest, WritingLastPilotWithoutConfigFileWritesOnlyThatLine) {
  EXPECT_TRUE(WriteXwaLastPilot("Luke"));
  EXPECT_EQ(Config(), "lastpilot Luke\r\n");
  EXPECT_EQ(Folder(), (Names{"CONFIG.CFG"}));
}

// Whatever stops the rewrite, CONFIG.CFG stays as it was, no temporary file is left, and
// the failure names the file and why.
TEST_F(XwaRosterTest, WritingLastPilotThatFailsLeavesTheFileAndSaysWhy) {
  struct Case {
    std::function<void(testing::FaultyFileSystem&)> fault;
    std::string cause;
  };
  const Case cases[] = {
      {[](auto& f) { f.FailAlways(testing::FileOperation::Open, "CONFIG.CFG"); },
       temp.Path("XWA\\CONFIG.CFG") + ": Access denied"},
      {[](auto& f) { f.FailAlways(testing::FileOperation::MoveFile); },
       temp.Path("XWA\\CONFIG___.TMP") + ": Access denied"},
      {[](auto& f) { f.FailWritesAfter(5, "CONFIG___.TMP"); },
       temp.Path("XWA\\CONFIG___.TMP") + ": Disk full"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cause);
    WriteConfig("lastpilot Luke\r\nsound 1\r\n");
    testing::FaultyFileSystem faulty;
    testing::ScopedFileSystem installed(faulty);
    c.fault(faulty);
    platform::ClearLastFailure();
    EXPECT_FALSE(WriteXwaLastPilot("Wedge"));
    ASSERT_TRUE(platform::LastFailure());
    EXPECT_EQ(platform::LastFailure()->Describe(), c.cause);
    EXPECT_EQ(Config(), "lastpilot Luke\r\nsound 1\r\n");
    EXPECT_EQ(Folder(), (Names{"CONFIG.CFG"}));
  }
}

TEST_F(XwaRosterTest, CreatingAPilotShowsNoMessage) {
  EXPECT_TRUE(CreateXwaPilot("Luke", true));
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(Folder(), (Names{"Luke0.plt"}));
}

TEST_F(XwaRosterTest, CreatingAnExistingPilotSaysSoAndLeavesItsFile) {
  temp.WriteFile(In(kXwa, "Luke0.plt"), "old pilot");
  EXPECT_FALSE(CreateXwaPilot("Luke", false));
  ExpectOneMessage("This pilot name already exists");
  EXPECT_EQ(temp.ReadFile(In(kXwa, "Luke0.plt")), "old pilot");
}

TEST_F(XwaRosterTest, AnExistingPilotIsFoundInAnyLetterCase) {
  temp.WriteFile(In(kXwa, "LUKE0.PLT"), "old pilot");
  EXPECT_FALSE(CreateXwaPilot("luke", false));
  ExpectOneMessage("This pilot name already exists");
  EXPECT_EQ(Folder(), (Names{"LUKE0.PLT"}));
  EXPECT_EQ(temp.ReadFile(In(kXwa, "LUKE0.PLT")), "old pilot");
}

TEST_F(XwaRosterTest, NamesAFileNameCannotHoldAreRefusedAndWriteNothing) {
  const char* refused[] = {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b",
                           "a<b", "a>b", "a|b", ".",   "..",  "a\tb"};
  std::size_t shown = 0;
  for (const char* name : refused) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(CreateXwaPilot(name, true));
    ExpectMessages(++shown, "Error creating new pilot");
    EXPECT_TRUE(Folder().empty());
  }
}

TEST_F(XwaRosterTest, NamesWithDotsElsewhereAreAllowed) {
  EXPECT_TRUE(CreateXwaPilot("...", false));
  EXPECT_TRUE(CreateXwaPilot("Mr. X", false));
  EXPECT_EQ(Folder(), (Names{"...0.plt", "Mr. X0.plt"}));
}

TEST_F(XwaRosterTest, APilotFileThatCannotBeCreatedGivesTheErrorMessage) {
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.FailAlways(testing::FileOperation::Open, "Luke0.plt");
  EXPECT_FALSE(CreateXwaPilot("Luke", false));
  ExpectOneMessage("Error creating new pilot");
  EXPECT_TRUE(Folder().empty());
}

TEST_F(XwaRosterTest, APilotFileCutShortIsRemovedWithTheErrorMessage) {
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.FailWritesAfter(100'000, "Luke0.plt");
  EXPECT_FALSE(CreateXwaPilot("Luke", false));
  ExpectOneMessage("Error creating new pilot");
  EXPECT_TRUE(Folder().empty());
}

TEST_F(XwaRosterTest, DeletingAPilotRemovesItsFile) {
  temp.WriteFile(In(kXwa, "Luke0.plt"), "pilot");
  temp.WriteFile(In(kXwa, "Wedge0.plt"), "pilot");
  EXPECT_TRUE(DeleteXwaPilot("Luke"));
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(Folder(), (Names{"Wedge0.plt"}));
}

TEST_F(XwaRosterTest, DeletingAMissingPilotSaysSo) {
  temp.WriteFile(In(kXwa, "Luke0.plt"), "pilot");
  EXPECT_FALSE(DeleteXwaPilot("Wedge"));
  ExpectOneMessage("Can't find pilot to delete");
  EXPECT_EQ(Folder(), (Names{"Luke0.plt"}));
}

TEST_F(XwaRosterTest, DeletingANameAFileNameCannotHoldFindsNothing) {
  // Files these names would reach if they were joined to the folder as they are.
  temp.WriteFile(In(kXwa, "sub/b0.plt"), "pilot");
  temp.WriteFile(In(kXwa, "..0.plt"), "pilot");
  EXPECT_FALSE(DeleteXwaPilot("sub\\b"));
  ExpectOneMessage("Can't find pilot to delete");
  EXPECT_FALSE(DeleteXwaPilot(".."));
  EXPECT_EQ(desktop.MessageTexts(),
            (Names{"Can't find pilot to delete", "Can't find pilot to delete"}));
  EXPECT_EQ(Folder(), (Names{"..0.plt", "sub/"}));
  EXPECT_TRUE(temp.Exists(In(kXwa, "sub/b0.plt")));
}

}  // namespace
}  // namespace vantrel
