#include "launcher/command_line_package.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CommandLinePackage, LosesItsFirstAndLastCharacterWhateverTheyAre) {
  struct Case {
    const char* line;
    std::optional<std::string> package;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"\"C:\\My Battles\\b1.kzm\"", "C:\\My Battles\\b1.kzm"},
      {"C:\\b1.kzm", ":\\b1.kz"},  // no quotes: still loses a character at each end
      {"\"a\" \"b\"", "a\" \"b"},
      {"abc", "b"},
      {"ab", ""},  // a package is still given, with an empty path
      {"a", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLinePackage(c.line), c.package) << c.line;
  }
  EXPECT_EQ(StripQuotes("\"x\""), "x");
}

}  // namespace
}  // namespace vantrel
