// The path limit as Windows counts characters, the folder and name split, letter case
// folding and wildcard matching as FindFirstFile applies them.
#include "platform/path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vantrel::platform {
namespace {

const std::string kEAcute = "\xC3\xA9";          // U+00E9, two bytes, one character
const std::string kEuro = "\xE2\x82\xAC";        // U+20AC, three bytes, one character
const std::string kSmiley = "\xF0\x9F\x98\x80";  // U+1F600, four bytes, two characters

// Multibyte characters count once and surrogate pairs twice: paths of 260 bytes and
// more fit when they hold no more than 259 characters.
TEST(PathLimit, CountsCharactersAsWindowsDoesAndAcceptsTwoHundredFiftyNine) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"", 0}, {"C:\\TIE95.EXE", 12}, {kEAcute, 1}, {kEuro, 1}, {kSmiley, 2},
      {"a" + kEAcute + kSmiley + "b", 5},
      {std::string(259, 'a'), 259}, {std::string(260, 'a'), 260},
      {std::string(258, 'a') + kEAcute, 259}, {std::string(257, 'a') + kSmiley, 259},
      {std::string(258, 'a') + kSmiley, 260}, {std::string(259, 'a') + kEuro, 260},
  };
  for (const auto& [path, count] : cases) {
    EXPECT_EQ(CountPathCharacters(path), count) << path;
    EXPECT_EQ(PathFitsLimit(path), count <= 259) << path;
  }
}

TEST(PathParts, FolderPartIsTheTextBeforeTheLastSeparator) {
  EXPECT_EQ(FolderPart("C:\\Battles\\b1.kzm"), "C:\\Battles");
  EXPECT_EQ(FolderPart("D:\\b1.kzm"), "D:");
  EXPECT_EQ(FolderPart("/home/pilot/b1.kzm"), "/home/pilot");
  EXPECT_EQ(FolderPart("C:\\Games/TIE\\KZMISS"), "C:\\Games/TIE");
  EXPECT_EQ(FolderPart("b1.kzm"), "");
  EXPECT_EQ(FolderPart("\\TIE95.exe"), "");
}

TEST(PathParts, FileNamePartIsTheTextAfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\Battles\\b1.kzm"), "b1.kzm");
  EXPECT_EQ(FileNamePart("/home/pilot/b1.kzm"), "b1.kzm");
  EXPECT_EQ(FileNamePart("b1.kzm"), "b1.kzm");
  EXPECT_EQ(FileNamePart("C:\\Temp\\"), "");
}

TEST(CaseFolding, FoldsAsciiAndLatinOneLettersOnly) {
  EXPECT_EQ(FoldCase("Battle.kzb"), "BATTLE.KZB");
  EXPECT_EQ(FoldCase("z_xvt__.exe"), "Z_XVT__.EXE");
  // à (U+00E0) to þ (U+00FE) fold to À (U+00C0) to Þ (U+00DE).
  EXPECT_EQ(FoldCase("\xC3\xA0" "\xC3\xBE"), "\xC3\x80" "\xC3\x9E");
  EXPECT_EQ(FoldCase(kEAcute), "\xC3\x89");
  // ÷ (U+00F7) is no letter, ÿ (U+00FF) has its capital outside Latin-1, € none at all.
  EXPECT_EQ(FoldCase("\xC3\xB7"), "\xC3\xB7");
  EXPECT_EQ(FoldCase("\xC3\xBF"), "\xC3\xBF");
  EXPECT_EQ(FoldCase(kEuro + kSmiley + "1_{}"), kEuro + kSmiley + "1_{}");
}

TEST(CaseFolding, NamesEqualIgnoresLetterCase) {
  EXPECT_TRUE(NamesEqual("battle.kzb", "BATTLE.KZB"));
  EXPECT_TRUE(NamesEqual("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"));
  EXPECT_FALSE(NamesEqual("battle.kzb", "battle.kzm"));
  EXPECT_FALSE(NamesEqual("battle", "battle "));
}

struct WildcardCase {
  std::string pattern;
  std::string name;
  bool matches;
};

TEST(Wildcard, MatchesAsFindFirstFile) {
  const WildcardCase cases[] = {
      WildcardCase{"*.*", "readme", true}, WildcardCase{"*.*", "Readme.txt", true},
      WildcardCase{"*.*", ".", true}, WildcardCase{"*.*", "..", true},
      WildcardCase{"*", "readme", true}, WildcardCase{"*", "a.b.c", true},
      WildcardCase{"*.tie", "B1M1.TIE", true}, WildcardCase{"*.TIE", "b1m1.tie", true},
      WildcardCase{"*.tie", "a.tie2", false}, WildcardCase{"*.tie", "tie", false},
      WildcardCase{"*.tie", ".tie", true}, WildcardCase{"*.tie", "a.b.tie", true},
      WildcardCase{"*.lst", "mission.lst", true}, WildcardCase{"*.lst", "mission.lsx", false},
      WildcardCase{"readme.*", "readme", true}, WildcardCase{"readme.*", "README.TXT", true},
      WildcardCase{"readme.*", "readme2", false}, WildcardCase{"*.txt", "readme", false},
      WildcardCase{"email.txt", "EMAIL.TXT", true}, WildcardCase{"email.txt", "email.txt1", false},
      WildcardCase{"b?m1.tie", "B1M1.tie", true}, WildcardCase{"b?m1.tie", "bm1.tie", false},
      WildcardCase{"b?m1.tie", "b12m1.tie", false},
      WildcardCase{"?", kEAcute, true}, WildcardCase{"?", kSmiley, true},
      WildcardCase{"??", kEAcute, false}, WildcardCase{"*", "", true},
      WildcardCase{"\xC3\xA9*", "\xC3\x89t\xC3\xA9.plt", true},
      WildcardCase{"a*b*c", "aXbYc", true}, WildcardCase{"a*b*c", "aXbYcZ", false},
      WildcardCase{"*a*a*a", "aaaa", true}, WildcardCase{"", "a", false},
      WildcardCase{"", "", true}
  };
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches)
        << "pattern \"" << c.pattern << "\", name \"" << c.name << "\"";
  }
}

TEST(Wildcard, ManyStarsAgainstALongNameFinishQuickly) {
  // Exponential backtracking would take longer than any test run on this; the greedy
  // matcher settles it in a few thousand steps.
  const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
  const std::string name(200, 'a');
  EXPECT_FALSE(WildcardMatch(pattern, name));
  EXPECT_TRUE(WildcardMatch(pattern, name + "b"));
}

TEST(DeviceNames, AreKnownWithOrWithoutAnExtension) {
  for (const char* name :
       {"CON", "con.tie", "Prn.txt", "AUX", "nul", "NUL .x", "COM1", "com9.tie", "LPT5.a.b"}) {
    EXPECT_TRUE(IsDeviceName(name)) << name;
  }
  for (const char* name : {"CONSOLE", "COM0", "COM10", "LPT", "xcon", "nul_", "aux1.tie", ""}) {
    EXPECT_FALSE(IsDeviceName(name)) << name;
  }
}

TEST(FileNames, EachNameAWrittenFileCannotBearSaysWhy) {
  constexpr const char* kFine = "";
  constexpr const char* kDevice = "is a device name on Windows";
  constexpr const char* kCharacter = "holds a character Windows does not allow in a file name";
  constexpr const char* kNotAName = "is not a file name Windows can hold";
  constexpr const char* kTrailing = "ends with a dot or a blank, which Windows drops";
  const struct {
    const char* name;
    const char* problem;
  } cases[] = {
      {"b1m1.tie", kFine},        {"Mr. X0.plt", kFine},     {"...0.plt", kFine},
      {".hidden", kFine},         {"a..b.tie", kFine},       {"consul.tie", kFine},
      {"con.tie", kDevice},       {"NUL", kDevice},          {"com1.x0.plt", kDevice},
      {"Lpt9.txt", kDevice},      {"AUX .tie", kDevice},     {"a:b.tie", kCharacter},
      {"a.tie:stream", kCharacter}, {"C:a.tie", kCharacter}, {"what?.txt", kCharacter},
      {"a\tb", kCharacter},      {"a|b", kCharacter},       {"", kNotAName},
      {".", kNotAName},           {"..", kNotAName},         {" . ", kNotAName},
      {"..\\a.tie", kNotAName},   {"../a.tie", kNotAName},   {"sub\\a.tie", kNotAName},
      {"/a.tie", kNotAName},      {"notes.", kTrailing},     {"m1.tie ", kTrailing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(FileNameProblem(c.name).value_or(kFine)), c.problem)
        << '"' << c.name << '"';
  }
}

}  // namespace
}  // namespace vantrel::platform
