#include "package/entry_name.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(EntryName, SlashesBecomeBackslashes) {
  EXPECT_EQ(DecodeEntryName("maps/sub/b1m1.tie", false), "maps\\sub\\b1m1.tie");
}

TEST(EntryName, UnflaggedNamesThatAreNotUtf8AreReadAsWindowsWestern) {
  // 0xE9 is e-acute and 0x80 the euro sign in Windows-1252.
  EXPECT_EQ(DecodeEntryName("caf\xE9\x80.txt", false), "caf\xC3\xA9\xE2\x82\xAC.txt");
}

TEST(EntryName, Utf8NamesStayAsTheyAre) {
  EXPECT_EQ(DecodeEntryName("caf\xC3\xA9.txt", false), "caf\xC3\xA9.txt");
  EXPECT_EQ(DecodeEntryName("caf\xC3\xA9.txt", true), "caf\xC3\xA9.txt");
}

TEST(EntryName, NamesThatLeaveTheDestinationAreUnsafe) {
  struct Case {
    const char* name;
    bool safe;
  };
  const Case cases[] = {
      {"b1m1.tie", true},          {"maps\\b1m1.tie", true},   {"..hidden.txt", true},
      {"a..b\\c.txt", true},       {"..\\evil.txt", false},    {"maps\\..\\..\\evil", false},
      {"\\evil.txt", false},       {"/evil.txt", false},       {"C:evil.txt", false},
      {"C:\\Windows\\evil", false}, {"file.txt:stream", false}, {"maps\\..", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSafeEntryName(c.name), c.safe) << c.name;
}

}  // namespace
}  // namespace vantrel
