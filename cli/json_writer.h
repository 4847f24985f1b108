// A small writer of JSON documents for the `--json` output of `vantrel`: objects, arrays,
// strings, numbers, booleans and null, written compactly on one line, or indented by two
// blanks a level for the reports people read too (`inspect --json`). Text is UTF-8 and passes
// through as it is; quotes, backslashes and control characters are escaped, and bytes
// that are not UTF-8 (a name read raw from a file) become U+FFFD, so the document is
// always valid JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class JsonWriter {
 public:
  enum class Layout {
    Compact,   // one line, no blanks
    Indented,  // a value a line, two blanks a level, a line end after the document
  };
  explicit JsonWriter(Layout layout = Layout::Compact) : layout_(layout) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();

  // The name of the next member of the object being written.
  JsonWriter& Key(std::string_view name);

  JsonWriter& String(std::string_view text);
  // A string, or null when `text` is empty (an unset folder, no battle).
  JsonWriter& StringOrNull(std::string_view text);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The document written so far.
  const std::string& text() const { return text_; }

 private:
  // Puts the comma between the values of an array or the members of an object.
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  // In the indented layout, a line end and the indentation of the open level.
  void NewLine();

  Layout layout_;
  std::string text_;
  // One entry per open object or array: true once it holds a value.
  std::vector<bool> nonEmpty_;
  bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included.
std::string JsonQuoted(std::string_view text);

}  // namespace vantrel::cli
