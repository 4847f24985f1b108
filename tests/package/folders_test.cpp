#include "package/folders.h"

#include <ctime>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::TempFolder;

TEST(CreateParentFolder, CreatesTheFolderThatWillHoldTheFile) {
  TempFolder temp;
  EXPECT_TRUE(CreateParentFolder(temp.Path("x\\y\\file.txt")));
  EXPECT_TRUE(temp.Exists("x/y"));
  EXPECT_FALSE(temp.Exists("x/y/file.txt"));
  EXPECT_FALSE(CreateParentFolder("file.txt"));
}

TEST(SetFileTimeFromDos, StoredNoonReadsAsNoonLocalTime) {
  TempFolder temp;
  temp.WriteFile("m.tie", "x");
  ASSERT_TRUE(SetFileTimeFromDos(temp.Path("m.tie"), testing::kNoonDosTime));
  const auto times = platform::Files().GetTimes(temp.Path("m.tie"));
  ASSERT_TRUE(times && times->lastWrite);
  const std::time_t unixTime =
      static_cast<std::time_t>(*times->lastWrite / 10'000'000 - 11'644'473'600LL);
  const std::tm local = *std::localtime(&unixTime);
  EXPECT_EQ(local.tm_year + 1900, 2003);
  EXPECT_EQ(local.tm_mon + 1, 5);
  EXPECT_EQ(local.tm_mday, 17);
  EXPECT_EQ(local.tm_hour, 12);
  EXPECT_EQ(local.tm_min, 0);
  EXPECT_EQ(local.tm_sec, 0);
}

TEST(SetFileTimeFromDos, FailsForAMissingFile) {
  TempFolder temp;
  EXPECT_FALSE(SetFileTimeFromDos(temp.Path("missing"), testing::kNoonDosTime));
}

}  // namespace
}  // namespace vantrel
