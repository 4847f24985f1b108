// The text conversions at the edge of the Win32 API: exact UTF-16 units for UTF-8 in,
// exact UTF-8 bytes out, and no silent guess when the text is not UTF-8.
#include "platform/win32/text_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {
namespace {

// Each text in UTF-8 and in UTF-16, which Widen and Narrow turn into each other: one
// unit a character, a surrogate pair beyond the Basic Multilingual Plane, NULs kept.
TEST(Text, WidenAndNarrowGiveTheExactUnitsAndBytesOfEachOther) {
  const std::pair<std::string, std::wstring> texts[] = {
      {"", L""},
      {"C:\\TIE95", L"C:\\TIE95"},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
      // "é", "Τ" and U+1F680.
      {"\xC3\xA9\xCE\xA4\xF0\x9F\x9A\x80",
       {wchar_t(0x00E9), wchar_t(0x03A4), wchar_t(0xD83D), wchar_t(0xDE80)}},
  };
  for (const auto& [utf8, wide] : texts) {
    EXPECT_EQ(Widen(utf8), wide) << utf8;
    EXPECT_EQ(Narrow(wide), utf8) << utf8;
  }
}

TEST(Widen, RefusesTextThatIsNotUtf8) {
  EXPECT_EQ(Widen("\xE1.tie"), std::nullopt);        // a lone lead byte
  EXPECT_EQ(Widen("a\x80"), std::nullopt);           // a lone continuation byte
  EXPECT_EQ(Widen("\xC0\xAF"), std::nullopt);        // an overlong '/'
  EXPECT_EQ(Widen("\xED\xA0\xBD"), std::nullopt);    // a surrogate spelt in UTF-8
}

TEST(Narrow, TurnsALoneSurrogateIntoTheReplacementCharacter) {
  const std::wstring wide{L'a', wchar_t(0xD83D), L'b'};
  EXPECT_EQ(Narrow(wide), "a\xEF\xBF\xBD" "b");
}

TEST(ErrorText, NamesTheNumberOfACodeTheSystemDoesNotKnow) {
  EXPECT_EQ(ErrorText(0x2FFFFFFF), "error 805306367");
}

}  // namespace
}  // namespace vantrel::platform::win32
