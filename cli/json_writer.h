// A small writer of JSON text for the commands' machine-readable output: objects,
// arrays, strings, numbers, booleans and null, indented by two blanks a level. Texts are
// UTF-8 and written with the escapes JSON requires.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The name of the next member of the object being written.
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view text);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The text so far, with a line end once the outermost value is complete.
  const std::string& text() const { return text_; }

 private:
  void BeforeValue();
  void Close(char bracket);
  void NewLine();

  std::string text_;
  // One entry per open object or array: whether it has a member or element yet.
  std::vector<bool> hasItems_;
  bool afterKey_ = false;
};

// The text as a JSON string, quotes included.
std::string JsonQuoted(std::string_view text);

}  // namespace vantrel::cli
