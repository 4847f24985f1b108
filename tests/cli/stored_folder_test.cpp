// The absolute form `vantrel folders set` stores, worked out by name from the current
// folder.
#include "cli/stored_folder.h"

#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

TEST(StoredFolder, IsAbsoluteWithDotsTakenByNameAndNoTrailingSeparator) {
  struct Case {
    const char* path;
    const char* current;
    const char* stored;
  };
  const Case cases[] = {
      {"/games/xwa/", "/home/p", "/games/xwa"},
      {"/", "/home/p", "/"},
      {"//games//./xwa/.", "/home/p", "/games/xwa"},
      {"xwa", "/home/p", "/home/p/xwa"},
      {"./games/../xwa/", "/home/p", "/home/p/xwa"},
      {".", "/home/p", "/home/p"},
      {"../../../..", "/home/p", "/"},
      {"games\\xwa", "/home/p", "/home/p/games/xwa"},
      {"D:\\", "/home/p", "D:\\"},
      {"D:\\Games\\TIE95\\", "/home/p", "D:\\Games\\TIE95"},
      {"D:/Games/../TIE95", "/home/p", "D:\\TIE95"},
      {"TIE95", "C:\\Games", "C:\\Games\\TIE95"},
      {"..\\XvT", "C:\\Games\\TIE95", "C:\\Games\\XvT"},
      {"\\\\server\\share\\xwa\\", "C:\\", "\\\\server\\share\\xwa"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StoredFolder(c.path, c.current), c.stored) << c.path << " from " << c.current;
  }
}

}  // namespace
}  // namespace vantrel::cli
