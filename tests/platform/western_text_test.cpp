#include "platform/western_text.h"

#include <gtest/gtest.h>

namespace vantrel::platform {
namespace {

TEST(WesternText, EncodesEveryCharacterOfTheCodePageInOneByte) {
  EXPECT_EQ(Utf8ToWestern("Endor"), "Endor");
  EXPECT_EQ(Utf8ToWestern("Caf\xC3\xA9 \xE2\x82\xAC \xC5\xBD \xC3\xBF"), "Caf\xE9 \x80 \x8E \xFF");
  // Each of the 256 bytes survives the way there and back.
  for (int byte = 1; byte < 256; ++byte) {
    const std::string single(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToWestern(WesternToUtf8(single + "\xFF")), single + "\xFF") << byte;
  }
}

TEST(WesternText, RefusesWhatTheCodePageLacks) {
  EXPECT_EQ(Utf8ToWestern("\xD0\x91"), std::nullopt);          // Cyrillic
  EXPECT_EQ(Utf8ToWestern("\xF0\x9F\x9A\x80"), std::nullopt);  // beyond 16 bits
  EXPECT_EQ(Utf8ToWestern("\xE9"), std::nullopt);              // not UTF-8
}

}  // namespace
}  // namespace vantrel::platform
