#include "pilots/xwa_roster.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/faulty_file_system.h"
#include "tests/pilots/pilot_fixture.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

class XwaRosterTest : public testing::PilotTest {
 protected:
  Names Folder() const { return temp.List(FolderOf(kXwa)); }

  // The roster's messages have no owner and an exclamation icon.
  void ExpectMessages(std::size_t count, const std::string& lastText) {
    testing::ExpectLastMessage(
        desktop, count, {nullptr, lastText, "VNTL", ui::Icon::Exclamation, ui::Buttons::Ok});
  }
  void ExpectOneMessage(const std::string& text) { ExpectMessages(1, text); }
};

TEST_F(XwaRosterTest, LastPilotIsTheWordAfterTheFirstTenCharacters) {
  // It ends at a blank, a tab or the end of the file.
  const std::pair<const char*, const char*> cases[] = {
      {"lastpilot Luke\r\nsound 1\r\n", "Luke"}, {"lastpilot Luke Skywalker\r\n", "Luke"},
      {"lastpilot Wedge\tAntilles\n", "Wedge"},   {"lastpilot Biggs", "Biggs"},
      {"lastpilot \r\nLuke\r\n", ""},            {"lastpil", ""},
  };
  for (const auto& [config, pilot] : cases) {
    WriteConfig(config);
    EXPECT_EQ(ReadXwaLastPilot(), pilot) << config;
  }
}

TEST_F(XwaRosterTest, LastPilotIsMissingWithoutConfigFile) {
  EXPECT_EQ(ReadXwaLastPilot(), std::nullopt);
  EXPECT_TRUE(desktop.messages().empty());
}

// Writing the last pilot replaces the first line, whatever it held, and ends every line
// with CR LF; without a configuration file it writes only that line.
TEST_F(XwaRosterTest, WritingLastPilotReplacesTheFirstLine) {
  struct Case {
    std::optional<std::string> before;
    const char* pilot;
    std::string after;
  };
  const Case cases[] = {
      {"lastpilot Luke\r\nsound 1\r\n\r\n  music 0 \r\nend", "Wedge",
       "lastpilot Wedge\r\nsound 1\r\n\r\n  music 0 \r\nend"},
      {"something else entirely\r\nsound 1\r\n", "Luke", "lastpilot Luke\r\nsound 1\r\n"},
      {"lastpilot Luke\nsound 1\nmusic 0\n\nend\n", "Luke",
       "lastpilot Luke\r\nsound 1\r\nmusic 0\r\n\r\nend\r\n"},
      {"lastpilot Luke\r\na\rb\nc\r\r\nd", "Han", "lastpilot Han\r\na\rb\r\nc\r\r\nd"},
      {"lastpilot Luke", "Han", "lastpilot Han\r\n"},
      {std::nullopt, "Luke", "lastpilot Luke\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.after);
    std::filesystem::remove(temp.Native(In(kXwa, "CONFIG.CFG")));
    if (c.before) WriteConfig(*c.before);
    EXPECT_TRUE(WriteXwaLastPilot(c.pilot));
    EXPECT_EQ(Config(), c.after);
    EXPECT_EQ(Folder(), (Names{"CONFIG.CFG"}));
  }
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

// An existing pilot is found in any letter case, and its file stays as it was.
TEST_F(XwaRosterTest, CreatingAnExistingPilotSaysSoAndLeavesItsFile) {
  for (const auto& [file, name] : {std::pair{"Luke0.plt", "Luke"}, {"LUKE0.PLT", "luke"}}) {
    SCOPED_TRACE(file);
    testing::FakeDesktop attempt;
    temp.WriteFile(In(kXwa, file), "old pilot");
    EXPECT_FALSE(CreateXwaPilot(name, false));
    testing::ExpectOnlyMessage(attempt, {nullptr, "This pilot name already exists", "VNTL",
                                         ui::Icon::Exclamation, ui::Buttons::Ok});
    EXPECT_EQ(Folder(), (Names{file}));
    EXPECT_EQ(temp.ReadFile(In(kXwa, file)), "old pilot");
    std::filesystem::remove(temp.Native(In(kXwa, file)));
  }
}

TEST_F(XwaRosterTest, NamesAFileNameCannotHoldAreRefusedAndWriteNothing) {
  const char* refused[] = {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b",
                           "a<b", "a>b", "a|b", ".",   "..",  "a\tb", "CON", "nul.txt", "Com1"};
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

// A pilot file that cannot be created, or is cut short, is not left behind.
TEST_F(XwaRosterTest, APilotFileThatCannotBeWrittenGivesTheErrorMessage) {
  const std::function<void(testing::FaultyFileSystem&)> faults[] = {
      [](auto& f) { f.FailAlways(testing::FileOperation::Open, "Luke0.plt"); },
      [](auto& f) { f.FailWritesAfter(100'000, "Luke0.plt"); },
  };
  std::size_t shown = 0;
  for (const auto& fault : faults) {
    testing::FaultyFileSystem faulty;
    testing::ScopedFileSystem installed(faulty);
    fault(faulty);
    EXPECT_FALSE(CreateXwaPilot("Luke", false));
    ExpectMessages(++shown, "Error creating new pilot");
    EXPECT_TRUE(Folder().empty());
  }
}

TEST_F(XwaRosterTest, DeletingAPilotRemovesItsFileAndAMissingOneSaysSo) {
  temp.WriteFile(In(kXwa, "Luke0.plt"), "pilot");
  temp.WriteFile(In(kXwa, "Wedge0.plt"), "pilot");
  EXPECT_TRUE(DeleteXwaPilot("Luke"));
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(Folder(), (Names{"Wedge0.plt"}));
  EXPECT_FALSE(DeleteXwaPilot("Luke"));
  ExpectOneMessage("Can't find pilot to delete");
  EXPECT_EQ(Folder(), (Names{"Wedge0.plt"}));
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
