// JSON text for `vantrel --json`: the one place that quotes and escapes strings.
#include "cli/json_writer.h"

#include <cstdint>

namespace vantrel::cli {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when it does
// not start with one (a stray continuation byte, a cut sequence, an overlong form, a
// surrogate, or a value past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  std::uint32_t value;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (overlong || surrogate || value > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  quoted.reserve(text.size() + 2);
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\b': quoted += "\\b"; break;
      case '\f': quoted += "\\f"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          quoted += "\\u00";
          quoted += kHex[c >> 4];
          quoted += kHex[c & 0x0F];
        } else if (const std::size_t length = Utf8SequenceLength(text.substr(i)); length > 0) {
          quoted.append(text, i, length);
          i += length;
          continue;
        } else {
          quoted += "\xEF\xBF\xBD";  // U+FFFD REPLACEMENT CHARACTER
        }
    }
    ++i;
  }
  quoted += '"';
  return quoted;
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!nonEmpty_.empty()) {
    if (nonEmpty_.back()) text_ += ',';
    nonEmpty_.back() = true;
    NewLine();
  }
}

void JsonWriter::NewLine() {
  if (layout_ != Layout::Indented) return;
  text_ += '\n';
  text_.append(2 * nonEmpty_.size(), ' ');
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  nonEmpty_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  const bool hadValues = nonEmpty_.back();
  nonEmpty_.pop_back();
  if (hadValues) NewLine();
  text_ += bracket;
  if (nonEmpty_.empty() && layout_ == Layout::Indented) text_ += '\n';
}

JsonWriter& JsonWriter::BeginObject() {
  Open('{');
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Open('[');
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  BeforeValue();
  text_ += JsonQuoted(name);
  text_ += layout_ == Layout::Indented ? ": " : ":";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonQuoted(text);
  return *this;
}

JsonWriter& JsonWriter::StringOrNull(std::string_view text) {
  return text.empty() ? Null() : String(text);
}

JsonWriter& JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

}  // namespace vantrel::cli
