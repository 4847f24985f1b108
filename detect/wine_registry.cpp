#include "detect/wine_registry.h"

#include "platform/path.h"

namespace vantrel {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads escaped text from `at` up to the unescaped `end` character; `at` is left after
// it. Empty when the line ends first.
std::optional<std::string> ReadEscaped(std::string_view line, std::size_t& at, char end) {
  std::string text;
  while (at < line.size()) {
    const char c = line[at++];
    if (c == end) return text;
    if (c != '\\' || at == line.size()) {
      text += c;
      continue;
    }
    const char escaped = line[at++];
    switch (escaped) {
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      case '0':
        text += '\0';
        break;
      case 'x': {
        char32_t code = 0;
        int digits = 0;
        while (digits < 4 && at < line.size() && HexDigit(line[at]) >= 0) {
          code = code * 16 + static_cast<char32_t>(HexDigit(line[at++]));
          ++digits;
        }
        AppendUtf8(text, code);
        break;
      }
      default:
        text += escaped;  // \\, \", \[ and \] stand for themselves
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<WineRegistryValue> ParseWineRegistry(std::string_view text) {
  std::vector<WineRegistryValue> values;
  std::optional<std::string> key;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t at = 1;
    if (line.starts_with("[")) {
      key = ReadEscaped(line, at, ']');
      continue;
    }
    if (!key) continue;
    std::optional<std::string> name;
    if (line.starts_with("@=")) {
      name = std::string();
      at = 1;
    } else if (line.starts_with("\"")) {
      name = ReadEscaped(line, at, '"');
    }
    if (!name || at >= line.size() || line[at] != '=') continue;
    std::string_view data = line.substr(at + 1);
    // A string written with its type (str(2): for REG_EXPAND_SZ) reads the same.
    if (data.starts_with("str(")) {
      const std::size_t colon = data.find(':');
      if (colon == std::string_view::npos) continue;
      data.remove_prefix(colon + 1);
    }
    if (!data.starts_with("\"")) continue;
    std::size_t dataAt = 1;
    if (std::optional<std::string> value = ReadEscaped(data, dataAt, '"')) {
      values.push_back({*key, *name, std::move(*value)});
    }
  }
  return values;
}

std::optional<std::string> FindWineRegistryString(const std::vector<WineRegistryValue>& values,
                                                  std::string_view key, std::string_view name) {
  for (const WineRegistryValue& value : values) {
    if (platform::NamesEqual(value.key, key) && platform::NamesEqual(value.name, name)) {
      return value.text;
    }
  }
  return std::nullopt;
}

}  // namespace vantrel
