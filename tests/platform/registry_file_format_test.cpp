// The registry export text: the exact bytes written, the escapes of string values, values
// of other types carried unchanged, both encodings, and a reader that refuses what it
// cannot read whole.
#include "platform/registry_file_format.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vantrel::platform {
namespace {

constexpr char kVntl[] = "HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL";
constexpr char kTie[] = "HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TIE";

TEST(RegistryFileFormat, WritesTheHeaderSectionsAndValuesWithCrlf) {
  RegistryFile file;
  file.AddKey(kVntl).SetString("Install Path", "C:\\Program Files\\VNTL");
  file.AddKey(kVntl).SetString("Last Dir", "D:\\");
  file.AddKey(kTie).SetString("Install Path", "C:\\Games\\TIE Fighter");
  EXPECT_EQ(FormatRegistryFile(file),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
            "\"Install Path\"=\"C:\\\\Program Files\\\\VNTL\"\r\n"
            "\"Last Dir\"=\"D:\\\\\"\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TIE]\r\n"
            "\"Install Path\"=\"C:\\\\Games\\\\TIE Fighter\"\r\n"
            "\r\n");
}

TEST(RegistryFileFormat, AFileWithoutKeysIsTheHeaderAndABlankLine) {
  EXPECT_EQ(FormatRegistryFile(RegistryFile{}), "Windows Registry Editor Version 5.00\r\n\r\n");
}

TEST(RegistryFileFormat, WritesTheDefaultValueAsAnAtSign) {
  RegistryFile file;
  file.AddKey(kVntl).SetString("", "default");
  file.AddKey(kVntl).SetString("@", "named at");
  EXPECT_EQ(FormatRegistryFile(file),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
            "@=\"default\"\r\n"
            "\"@\"=\"named at\"\r\n"
            "\r\n");
  const RegistryFile read = ParseRegistryFile(FormatRegistryFile(file)).file;
  ASSERT_NE(read.FindKey(kVntl), nullptr);
  EXPECT_EQ(read.FindKey(kVntl)->FindValue("")->data, "default");
  EXPECT_EQ(read.FindKey(kVntl)->FindValue("@")->data, "named at");
}

// Quotes and backslashes are escaped, and text with line breaks is written as a binary
// string of UTF-16; either reads back as it was and is written again the same.
TEST(RegistryFileFormat, StringsAreEscapedOrWrittenAsBinaryAndSurviveARoundTrip) {
  const struct {
    std::string name;
    std::string text;
    std::string line;
    std::string readBack = text;  // what is read again, when the text is no UTF-8
  } cases[] = {
      {"Odd \"name\" \\ here", "C:\\Games\\\"X-Wing\" \\\\server\\share\\",
       "\"Odd \\\"name\\\" \\\\ here\"=\"C:\\\\Games\\\\\\\"X-Wing\\\" "
       "\\\\\\\\server\\\\share\\\\\"\r\n"},
      {"Notes", "two\r\nlines \xC3\xA9 \xF0\x9F\x98\x80",
       "\"Notes\"=hex(1):74,00,77,00,6f,00,0d,00,0a,00,6c,00,69,00,6e,00,"
       "65,00,73,00,20,00,e9,00,20,00,3d,d8,00,de,00,00\r\n"},
      // A surrogate spelt in UTF-8, an overlong NUL and a stray continuation byte: each
      // byte a replacement character, so that the next rewrite writes the same again.
      {"Broken", "\x01\xED\xBE\xBE\xC0\x80\xBE",
       "\"Broken\"=hex(1):01,00,fd,ff,fd,ff,fd,ff,fd,ff,fd,ff,fd,ff,00,00\r\n",
       "\x01\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) {
    RegistryFile file;
    file.AddKey(kVntl).SetString(c.name, c.text);
    const std::string written = FormatRegistryFile(file);
    EXPECT_NE(written.find(c.line), std::string::npos) << written;
    const RegistryFile read = ParseRegistryFile(written).file;
    ASSERT_NE(read.FindKey(kVntl), nullptr) << c.name;
    ASSERT_EQ(read.FindKey(kVntl)->values.size(), 1u) << c.name;
    const RegistryValue& value = read.FindKey(kVntl)->values[0];
    EXPECT_EQ(value.name, c.name);
    EXPECT_TRUE(value.isString) << c.name;
    EXPECT_EQ(value.data, c.readBack);
    EXPECT_EQ(FormatRegistryFile(read), written);
  }
}

TEST(RegistryFileFormat, ValuesOfOtherTypesAreKeptAsWritten) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
      "\"Install Path\"=\"C:\\\\VNTL\"\r\n"
      "\"Count\"=dword:0000002a\r\n"
      "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\r\n"
      "  18,19,1a\r\n"
      "\"Path\"=hex(2):25,00,50,00,00,00\r\n"
      "\"Gone\"=-\r\n"
      "\r\n";
  const RegistryFile file = ParseRegistryFile(text).file;
  const RegistryKey* key = file.FindKey(kVntl);
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values.size(), 5u);
  EXPECT_FALSE(key->FindValue("count")->isString);
  EXPECT_EQ(key->FindValue("count")->data, "dword:0000002a");
  EXPECT_EQ(key->FindValue("Blob")->data,
            "hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n"
            "  18,19,1a");
  EXPECT_FALSE(key->FindValue("Path")->isString);
  EXPECT_EQ(FormatRegistryFile(file), text);
}

TEST(RegistryFileFormat, ReadsLfLinesAndAByteOrderMark) {
  const std::optional<RegistryText> text = DecodeRegistryText(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\XWA]\n"
      "\"Install Path\"=\"C:\\\\XWA\"\n");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->encoding, RegistryTextEncoding::Utf8WithByteOrderMark);
  const RegistryFile file = ParseRegistryFile(text->text).file;
  const RegistryKey* key =
      file.FindKey("hkey_local_machine\\software\\morvain unlimited\\vntl\\xwa");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->FindValue("INSTALL PATH")->data, "C:\\XWA");
  EXPECT_EQ(EncodeRegistryText(FormatRegistryFile(file), text->encoding),
            "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\XWA]\r\n"
            "\"Install Path\"=\"C:\\\\XWA\"\r\n\r\n");
}

// The registry editor's export: UTF-16LE with a byte order mark, read as text and
// written back in the same encoding.
TEST(RegistryFileFormat, ReadsAndWritesUtf16LittleEndian) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\\xC3\x89]\r\n\r\n";
  std::string utf16 = "\xFF\xFE";
  for (const char c :
       std::string("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\")) {
    utf16 += c;
    utf16 += '\0';
  }
  utf16 += std::string("\xC9\0]\0\r\0\n\0\r\0\n\0", 12);
  const std::optional<RegistryText> text = DecodeRegistryText(utf16);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->encoding, RegistryTextEncoding::Utf16LE);
  EXPECT_EQ(text->text, utf8);
  EXPECT_EQ(EncodeRegistryText(utf8, RegistryTextEncoding::Utf16LE), utf16);
  EXPECT_FALSE(DecodeRegistryText(utf16.substr(0, utf16.size() - 1)));
}

// Everything an export may hold is read; the first line that is none of it stops the
// reading with its number and what is wrong there.
TEST(RegistryFileFormat, RefusesTextItCannotReadWhole) {
  const ParsedRegistryFile whole = ParseRegistryFile(
      "Windows Registry Editor Version 5.00\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
      "\"Install Path\"=\"C:\\\\VNTL\"\r\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
      "\"Gone\"=\"under a deletion\"\r\n");
  EXPECT_EQ(whole.damagedLine, 0u);
  ASSERT_EQ(whole.file.keys.size(), 1u);
  EXPECT_EQ(whole.file.keys[0].values.size(), 1u);

  const struct {
    std::string_view text;
    std::size_t line;
    std::string_view damage;
  } kCases[] = {
      {"[K]\r\n\"a\"=\"no closing quote\r\n", 2, "a quoted text without its closing quote"},
      {"[K]\r\n\"a=x\r\n", 2, "a quoted name without its closing quote"},
      {"[K]\r\n\"a\"=\"x\" junk\r\n", 2, "text after the closing quote"},
      {"\r\n[HKEY_LOCAL_MACHINE\\Software\r\n", 2, "a key name without its closing \"]\""},
      {"[]\r\n", 1, "an empty key name"},
      {"\"Orphan\"=\"x\"\r\n", 1, "a value outside any key"},
      {"[K]\r\n\"a\"\r\n", 2, "a value name without \"=\""},
      {"[K]\r\n@=\r\n", 2, "a value without data"},
      {"[K]\r\n\"b\"=hex:01,\\\r\n  02,\\\r\n\r\n", 2, "a value continued on no following line"},
      {"[K]\r\ngarbage line\r\n", 2, "not a key, a value or a comment"},
      {"\xff[\n", 1, "not a key, a value or a comment"},
      {std::string_view("[K]\n\"a\"=\"C:\0x\"\n", 15), 2, "a NUL character"},
      {"[K]\r\nWindows Registry Editor Version 5.00\r\n", 2, "not a key, a value or a comment"},
  };
  for (const auto& c : kCases) {
    const ParsedRegistryFile parsed = ParseRegistryFile(c.text);
    EXPECT_EQ(parsed.damagedLine, c.line) << c.text;
    EXPECT_EQ(parsed.damage, c.damage) << c.text;
  }
}

TEST(RegistryFileFormat, AKeyNamedTwiceKeepsOneSectionWithTheLaterValue) {
  const RegistryFile file = ParseRegistryFile(
      "[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
      "[hkey_local_machine\\a]\n\"X\"=\"3\"\n").file;
  ASSERT_EQ(file.keys.size(), 1u);
  ASSERT_EQ(file.keys[0].values.size(), 2u);
  EXPECT_EQ(file.keys[0].FindValue("x")->data, "3");
  EXPECT_EQ(file.keys[0].FindValue("y")->data, "2");
}

TEST(RegistryFileFormat, KeysExistWithASectionOrAKeyBelowThem) {
  RegistryFile file;
  file.AddKey(kTie);
  EXPECT_TRUE(file.HasKey(kTie));
  EXPECT_TRUE(file.HasKey("hkey_local_machine\\software\\morvain unlimited\\vntl"));
  EXPECT_TRUE(file.HasKey("HKEY_LOCAL_MACHINE\\Software"));
  EXPECT_FALSE(file.HasKey("HKEY_LOCAL_MACHINE\\Software\\Morvain"));
  EXPECT_FALSE(file.HasKey("HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TI"));
  EXPECT_EQ(file.FindKey(kVntl), nullptr);
}

TEST(RegistryFileFormat, RemoveTreeTakesTheKeyAndEveryKeyBelowIt) {
  RegistryFile file;
  file.AddKey("HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited");
  file.AddKey(kVntl);
  file.AddKey(kTie);
  file.AddKey("HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTLX");
  EXPECT_TRUE(file.RemoveTree("hkey_local_machine\\software\\morvain unlimited\\vntl"));
  ASSERT_EQ(file.keys.size(), 2u);
  EXPECT_EQ(file.keys[0].path, "HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited");
  EXPECT_EQ(file.keys[1].path, "HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTLX");
  EXPECT_FALSE(file.RemoveTree(kVntl));
}

}  // namespace
}  // namespace vantrel::platform
