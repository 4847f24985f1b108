// The text conversions at the edge of the Win32 API: exact UTF-16 units for UTF-8 in,
// exact UTF-8 bytes out, and no silent guess when the text is not UTF-8.
#include "platform/win32/text_win32.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {
namespace {

TEST(Widen, GivesOneUnitPerCharacterAndASurrogatePairBeyondTheBasicPlane) {
  EXPECT_EQ(Widen(""), std::wstring());
  EXPECT_EQ(Widen("C:\\TIE95"), std::wstring(L"C:\\TIE95"));
  // "é", "Τ" and U+1F680.
  const std::optional<std::wstring> wide = Widen("\xC3\xA9\xCE\xA4\xF0\x9F\x9A\x80");
  ASSERT_TRUE(wide);
  EXPECT_EQ(*wide, (std::wstring{wchar_t(0x00E9), wchar_t(0x03A4), wchar_t(0xD83D),
                                 wchar_t(0xDE80)}));
}

TEST(Widen, RefusesTextThatIsNotUtf8) {
  EXPECT_EQ(Widen("\xE1.tie"), std::nullopt);        // a lone lead byte
  EXPECT_EQ(Widen("a\x80"), std::nullopt);           // a lone continuation byte
  EXPECT_EQ(Widen("\xC0\xAF"), std::nullopt);        // an overlong '/'
  EXPECT_EQ(Widen("\xED\xA0\xBD"), std::nullopt);    // a surrogate spelt in UTF-8
}

TEST(Widen, KeepsEmbeddedNuls) {
  EXPECT_EQ(Widen(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(Narrow, GivesTheUtf8BytesOfEachCharacter) {
  EXPECT_EQ(Narrow(L""), "");
  EXPECT_EQ(Narrow(L"Battle.kzb"), "Battle.kzb");
  const std::wstring wide{wchar_t(0x00E9), wchar_t(0x03A4), wchar_t(0xD83D), wchar_t(0xDE80)};
  EXPECT_EQ(Narrow(wide), "\xC3\xA9\xCE\xA4\xF0\x9F\x9A\x80");
}

TEST(Narrow, TurnsALoneSurrogateIntoTheReplacementCharacter) {
  const std::wstring wide{L'a', wchar_t(0xD83D), L'b'};
  EXPECT_EQ(Narrow(wide), "a\xEF\xBF\xBD" "b");
}

TEST(ErrorText, DescribesAKnownCodeOnOneLine) {
  const std::string text = ErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text, "error 2");
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_NE(text.back(), ' ');
}

TEST(ErrorText, NamesTheNumberOfACodeTheSystemDoesNotKnow) {
  EXPECT_EQ(ErrorText(0x2FFFFFFF), "error 805306367");
}

}  // namespace
}  // namespace vantrel::platform::win32
