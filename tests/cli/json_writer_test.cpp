// The JSON of `vantrel --json`: exact text for escapes, nesting and bytes that are not
// UTF-8.
#include "cli/json_writer.h"

#include <string>

#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

TEST(JsonQuoted, EscapesWhatJsonRequiresAndKeepsUtf8AsItIs) {
  struct Case {
    std::string text;
    std::string quoted;
  };
  const Case cases[] = {
      {"", R"("")"},
      {"plain", R"("plain")"},
      {"a\"b\\c/d", R"("a\"b\\c/d")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {std::string("\x00\x01\x1f\x7f", 4), R"("\u0000\u0001\u001f\u007f")"},
      {"\xC3\x89toile \xE2\x82\xAC \xF0\x9F\x9A\x80",
       "\"\xC3\x89toile \xE2\x82\xAC \xF0\x9F\x9A\x80\""},
      // A Windows-1252 byte, a cut sequence, an overlong '/', a surrogate: each bad byte
      // becomes U+FFFD and the text after it is kept.
      {"\xC9t", "\"\xEF\xBF\xBDt\""},
      {"a\xE2\x82", "\"a\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"\xED\xA0\x80!", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD!\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonQuoted(c.text), c.quoted) << c.quoted;
}

TEST(JsonWriter, PutsCommasBetweenMembersAndElementsAtEveryDepth) {
  JsonWriter json;
  json.BeginObject();
  json.Key("empty").BeginArray().EndArray();
  json.Key("list").BeginArray().String("a").Null().Bool(true).BeginObject().EndObject().EndArray();
  json.Key("set").StringOrNull("x").Key("unset").StringOrNull("");
  json.Key("inner").BeginObject().Key("k").Bool(false).EndObject();
  json.EndObject();
  EXPECT_EQ(json.text(),
            R"({"empty":[],"list":["a",null,true,{}],"set":"x","unset":null,"inner":{"k":false}})");
}

TEST(JsonWriter, IndentedNestsByTwoBlanksAndEndsTheLine) {
  JsonWriter json(JsonWriter::Layout::Indented);
  json.BeginObject();
  json.Key("n").Number(-3);
  json.Key("list").BeginArray().Bool(true).Null().BeginObject().EndObject().EndArray();
  json.Key("empty").BeginArray().EndArray();
  json.EndObject();
  EXPECT_EQ(json.text(),
            "{\n"
            "  \"n\": -3,\n"
            "  \"list\": [\n"
            "    true,\n"
            "    null,\n"
            "    {}\n"
            "  ],\n"
            "  \"empty\": []\n"
            "}\n");
}

}  // namespace
}  // namespace vantrel::cli
