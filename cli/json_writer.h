// A small writer of JSON documents for the `--json` output of `vantrel`: objects, arrays,
// strings, booleans and null, written compactly on one line. Text is UTF-8 and passes
// through as it is; quotes, backslashes and control characters are escaped, and bytes
// that are not UTF-8 (a name read raw from a file) become U+FFFD, so the document is
// always valid JSON.
#pragma once

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
  // A string, or null when `text` is empty (an unset folder, no battle).
  JsonWriter& StringOrNull(std::string_view text);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The document written so far.
  const std::string& text() const { return text_; }

 private:
  // Puts the comma between the values of an array or the members of an object.
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string text_;
  // One entry per open object or array: true once it holds a value.
  std::vector<bool> nonEmpty_;
  bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included.
std::string JsonQuoted(std::string_view text);

}  // namespace vantrel::cli
