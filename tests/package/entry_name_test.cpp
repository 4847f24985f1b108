#include "package/entry_name.h"

#include <utility>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Slashes become backslashes; a name not flagged as UTF-8 that is not UTF-8 is read as
// Windows Western, where 0xE9 is e-acute and 0x80 the euro sign.
TEST(EntryName, IsDecodedToTheLaunchersForm) {
  EXPECT_EQ(DecodeEntryName("maps/sub/b1m1.tie", false), "maps\\sub\\b1m1.tie");
  EXPECT_EQ(DecodeEntryName("caf\xE9\x80.txt", false), "caf\xC3\xA9\xE2\x82\xAC.txt");
  EXPECT_EQ(DecodeEntryName("caf\xC3\xA9.txt", false), "caf\xC3\xA9.txt");
  EXPECT_EQ(DecodeEntryName("caf\xC3\xA9.txt", true), "caf\xC3\xA9.txt");
}

TEST(EntryName, NamesThatLeaveTheDestinationAreUnsafe) {
  const std::pair<const char*, bool> cases[] = {
      {"b1m1.tie", true},          {"maps\\b1m1.tie", true},   {"..hidden.txt", true},
      {"a..b\\c.txt", true},       {"..\\evil.txt", false},    {"maps\\..\\..\\evil", false},
      {"\\evil.txt", false},       {"/evil.txt", false},       {"C:evil.txt", false},
      {"C:\\Windows\\evil", false}, {"file.txt:stream", false}, {"maps\\..", false},
  };
  for (const auto& [name, safe] : cases) EXPECT_EQ(IsSafeEntryName(name), safe) << name;
}

}  // namespace
}  // namespace vantrel
