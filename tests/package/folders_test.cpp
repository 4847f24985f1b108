#include "package/folders.h"

#include <ctime>
#include <iomanip>
#include <sstream>

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
  EXPECT_FALSE(SetFileTimeFromDos(temp.Path("m.tie"), testing::kNoonDosTime));  // no such file
  temp.WriteFile("m.tie", "x");
  ASSERT_TRUE(SetFileTimeFromDos(temp.Path("m.tie"), testing::kNoonDosTime));
  const auto times = platform::Files().GetTimes(temp.Path("m.tie"));
  ASSERT_TRUE(times && times->lastWrite);
  const std::time_t unixTime =
      static_cast<std::time_t>(*times->lastWrite / 10'000'000 - 11'644'473'600LL);
  std::ostringstream local;
  local << std::put_time(std::localtime(&unixTime), "%Y-%m-%d %H:%M:%S");
  EXPECT_EQ(local.str(), "2003-05-17 12:00:00");
}

}  // namespace
}  // namespace vantrel
