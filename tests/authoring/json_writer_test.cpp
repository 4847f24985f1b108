#include "cli/json_writer.h"

#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

TEST(JsonWriter, NestsAndIndentsByTwoBlanks) {
  JsonWriter json;
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

TEST(JsonWriter, EscapesWhatJsonRequires) {
  EXPECT_EQ(JsonQuoted("a\"b\\c\nd\re\tf\x01g\xC3\xA9"),
            "\"a\\\"b\\\\c\\nd\\re\\tf\\u0001g\xC3\xA9\"");
}

}  // namespace
}  // namespace vantrel::cli
