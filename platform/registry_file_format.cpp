// Reading and writing the registry export text. The reader takes everything an export or
// a careful hand may write (comments, blank lines, deletion sections "[-...]" with their
// values, values of every type), and stops at the first line it cannot make sense of (a
// value outside any section, an unterminated string, an unbalanced "[", stray text): the
// store must not read half a file and write that half back. A value whose type the store
// does not use is kept exactly as written.
#include "platform/registry_file_format.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/path.h"
#include "platform/file_helpers.h"

namespace vantrel::platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16ByteOrderMark = "\xFF\xFE";
constexpr std::string_view kUtf16StringPrefix = "hex(1):";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads a quoted text at the start of `text` (which begins with '"'), undoing the "\\" and
// "\"" escapes, and drops it from `text`. Empty when the closing quote is missing.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      result += text[++i];
    } else {
      result += c;
    }
  }
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// UTF-8 text as UTF-16 code units; each byte of a broken sequence becomes U+FFFD.
std::vector<std::uint16_t> ToUtf16(std::string_view text) {
  std::vector<std::uint16_t> units;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 0;
    std::uint32_t codePoint = length == 1 ? lead : length == 2 ? lead & 0x1F
                                              : length == 3 ? lead & 0x0F
                                                            : lead & 0x07;
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // A sequence longer than its code point needs, or one that spells a surrogate, is
    // no UTF-8: as a unit of its own it would read back as something else.
    constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && (codePoint < kShortest[length] || (codePoint >= 0xD800 && codePoint < 0xE000))) {
      valid = false;
    }
    if (!valid || codePoint > 0x10FFFF) {
      codePoint = 0xFFFD;
      length = 1;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      units.push_back(static_cast<std::uint16_t>(0xD800 | (codePoint >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 | (codePoint & 0x3FF)));
    } else {
      units.push_back(static_cast<std::uint16_t>(codePoint));
    }
    i += length;
  }
  return units;
}

// The bytes of a "hex" value ("48,00,69,00,\<newline>  00,00"); empty when any byte is
// not two hex digits.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c != '\\' && c != '\n' && c != '\r' && !IsBlank(c)) digits += c;
  }
  std::vector<std::uint8_t> bytes;
  std::string_view rest(digits);
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    if (item.size() != 2) return std::nullopt;
    unsigned value = 0;
    for (char c : item) {
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return bytes;
}

// A string value written in its binary form (UTF-16LE up to the first NUL), as the store
// writes text that a quoted string cannot hold.
// UTF-16LE bytes (an even count) as UTF-8, up to the first NUL where `stopAtNul`; an
// unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(const unsigned char* bytes, std::size_t size, bool stopAtNul) {
  std::string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    std::uint32_t unit = bytes[i] | (bytes[i + 1] << 8);
    if (unit == 0 && stopAtNul) break;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
      const std::uint32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;
    AppendUtf8(text, unit);
  }
  return text;
}

std::optional<std::string> DecodeUtf16String(std::string_view hexText) {
  const std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(hexText);
  if (!bytes || bytes->size() % 2 != 0) return std::nullopt;
  return Utf16LeToUtf8(bytes->data(), bytes->size(), true);
}

std::string EncodeUtf16String(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::vector<std::uint16_t> units = ToUtf16(text);
  units.push_back(0);
  std::string hex(kUtf16StringPrefix);
  for (std::size_t i = 0; i < units.size(); ++i) {
    for (const unsigned byte : {units[i] & 0xFFu, static_cast<unsigned>(units[i] >> 8)}) {
      if (hex.size() > kUtf16StringPrefix.size()) hex += ',';
      hex += kDigits[byte >> 4];
      hex += kDigits[byte & 0x0F];
    }
  }
  return hex;
}

// A quoted string holds one line of printable text; anything else is written in binary.
bool FitsQuotedString(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
  if (path.size() <= ancestor.size() || path[ancestor.size()] != '\\') return false;
  return NamesEqual(path.substr(0, ancestor.size()), ancestor);
}

bool IsKeyOrBelow(std::string_view path, std::string_view key) {
  return NamesEqual(path, key) || IsBelow(path, key);
}

void SetValue(RegistryKey& key, RegistryValue value) {
  for (RegistryValue& existing : key.values) {
    if (NamesEqual(existing.name, value.name)) {
      // The registry keeps the name as it was first spelt.
      value.name = std::move(existing.name);
      existing = std::move(value);
      return;
    }
  }
  key.values.push_back(std::move(value));
}

// Reads the value line `lines[index]` (continuation lines of a binary value included,
// advancing `index` past them) into `key`, or says what is wrong with it.
std::optional<std::string> ParseValue(const std::vector<std::string_view>& lines,
                                      std::size_t& index, RegistryKey& key) {
  std::string_view rest = TrimLeft(lines[index]);
  RegistryValue value;
  if (rest.front() == '@') {
    rest.remove_prefix(1);
  } else {
    std::optional<std::string> name = TakeQuoted(rest);
    if (!name) return "a quoted name without its closing quote";
    value.name = std::move(*name);
  }
  rest = TrimLeft(rest);
  if (rest.empty() || rest.front() != '=') return "a value name without \"=\"";
  rest = TrimLeft(rest.substr(1));

  if (!rest.empty() && rest.front() == '"') {
    std::optional<std::string> text = TakeQuoted(rest);
    if (!text) return "a quoted text without its closing quote";
    if (!TrimRight(rest).empty()) return "text after the closing quote";
    value.data = std::move(*text);
    SetValue(key, std::move(value));
    return std::nullopt;
  }

  std::string raw(TrimRight(rest));
  if (raw.empty()) return "a value without data";
  // A binary value goes on over the following lines while a line ends in a backslash.
  // One continued onto no line (the end of the file, a blank line) would take in the
  // blank line written after its key at every rewrite, and grow.
  while (raw.back() == '\\') {
    if (index + 1 == lines.size() || TrimRight(TrimLeft(lines[index + 1])).empty()) {
      return "a value continued on no following line";
    }
    raw += '\n';
    raw += TrimRight(lines[++index]);
  }
  if (raw.compare(0, kUtf16StringPrefix.size(), kUtf16StringPrefix) == 0) {
    if (std::optional<std::string> text = DecodeUtf16String(
            std::string_view(raw).substr(kUtf16StringPrefix.size()))) {
      value.data = std::move(*text);
      SetValue(key, std::move(value));
      return std::nullopt;
    }
  }
  value.isString = false;
  value.data = std::move(raw);
  SetValue(key, std::move(value));
  return std::nullopt;
}

}  // namespace

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
  for (const RegistryValue& value : values) {
    if (NamesEqual(value.name, name)) return &value;
  }
  return nullptr;
}

void RegistryKey::SetString(std::string_view name, std::string_view text) {
  SetValue(*this, RegistryValue{std::string(name), true, std::string(text)});
}

void RegistryKey::SetNumber(std::string_view name, std::uint32_t number) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
  SetValue(*this, RegistryValue{std::string(name), false, std::string("dword:") + digits});
}

RegistryKey* RegistryFile::FindKey(std::string_view path) {
  for (RegistryKey& key : keys) {
    if (NamesEqual(key.path, path)) return &key;
  }
  return nullptr;
}

const RegistryKey* RegistryFile::FindKey(std::string_view path) const {
  for (const RegistryKey& key : keys) {
    if (NamesEqual(key.path, path)) return &key;
  }
  return nullptr;
}

bool RegistryFile::HasKey(std::string_view path) const {
  for (const RegistryKey& key : keys) {
    if (IsKeyOrBelow(key.path, path)) return true;
  }
  return false;
}

RegistryKey& RegistryFile::AddKey(std::string_view path) {
  if (RegistryKey* existing = FindKey(path)) return *existing;
  keys.push_back(RegistryKey{std::string(path), {}});
  return keys.back();
}

bool RegistryFile::RemoveTree(std::string_view path) {
  const std::size_t before = keys.size();
  std::erase_if(keys, [path](const RegistryKey& key) { return IsKeyOrBelow(key.path, path); });
  return keys.size() != before;
}

std::optional<RegistryText> DecodeRegistryText(std::string_view bytes) {
  if (bytes.substr(0, kUtf16ByteOrderMark.size()) == kUtf16ByteOrderMark) {
    bytes.remove_prefix(kUtf16ByteOrderMark.size());
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::string text = Utf16LeToUtf8(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size(), false);
    return RegistryText{std::move(text), RegistryTextEncoding::Utf16LE};
  }
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    return RegistryText{std::string(bytes.substr(kByteOrderMark.size())),
                        RegistryTextEncoding::Utf8WithByteOrderMark};
  }
  return RegistryText{std::string(bytes), RegistryTextEncoding::Utf8};
}

std::string EncodeRegistryText(std::string_view text, RegistryTextEncoding encoding) {
  switch (encoding) {
    case RegistryTextEncoding::Utf8:
      break;
    case RegistryTextEncoding::Utf8WithByteOrderMark:
      return std::string(kByteOrderMark) + std::string(text);
    case RegistryTextEncoding::Utf16LE: {
      std::string bytes(kUtf16ByteOrderMark);
      for (const std::uint16_t unit : ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
      }
      return bytes;
    }
  }
  return std::string(text);
}

ParsedRegistryFile ParseRegistryFile(std::string_view text) {
  ParsedRegistryFile parsed;
  RegistryFile& file = parsed.file;
  const std::vector<std::string_view> lines = SplitLines(text);
  const auto damaged = [&](std::size_t index, std::string what) {
    parsed.damagedLine = index + 1;
    parsed.damage = std::move(what);
    return std::move(parsed);
  };
  // Index of the section that value lines belong to; none before the first section.
  // Values under a deletion section belong to no key and are passed over.
  constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
  std::size_t section = kNoSection;
  bool inDeletion = false;
  bool headerAllowed = true;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string_view line = TrimRight(TrimLeft(lines[index]));
    // A text holds no NUL; a value read with one could not be written back whole.
    if (line.find('\0') != std::string_view::npos) return damaged(index, "a NUL character");
    if (line.empty() || line.front() == ';') continue;
    // The first line that holds anything may be the header of either export format.
    if (std::exchange(headerAllowed, false) && (line == kHeader || line == kOldHeader)) continue;
    if (line.front() == '[') {
      if (line.back() != ']') return damaged(index, "a key name without its closing \"]\"");
      if (line.size() < 3 || line == "[-]") return damaged(index, "an empty key name");
      inDeletion = line[1] == '-';
      section = kNoSection;
      if (inDeletion) continue;
      const std::string_view path = line.substr(1, line.size() - 2);
      // A key named twice keeps one section, with the values of both.
      file.AddKey(path);
      for (std::size_t k = 0; k < file.keys.size(); ++k) {
        if (NamesEqual(file.keys[k].path, path)) section = k;
      }
      continue;
    }
    if (line.front() != '"' && line.front() != '@') {
      return damaged(index, "not a key, a value or a comment");
    }
    if (section == kNoSection && !inDeletion) return damaged(index, "a value outside any key");
    RegistryKey discarded;
    const std::size_t first = index;
    if (std::optional<std::string> what =
            ParseValue(lines, index, inDeletion ? discarded : file.keys[section])) {
      return damaged(first, std::move(*what));
    }
  }
  return parsed;
}

std::string FormatRegistryFile(const RegistryFile& file) {
  std::string text(kHeader);
  text += "\r\n\r\n";
  for (const RegistryKey& key : file.keys) {
    text += '[';
    text += key.path;
    text += "]\r\n";
    for (const RegistryValue& value : key.values) {
      text += value.name.empty() ? std::string("@") : Quote(value.name);
      text += '=';
      if (value.isString) {
        text += FitsQuotedString(value.data) ? Quote(value.data) : EncodeUtf16String(value.data);
      } else {
        for (char c : value.data) {
          if (c == '\n') {
            text += "\r\n";
          } else {
            text += c;
          }
        }
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace vantrel::platform
