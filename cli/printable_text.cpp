#include "cli/printable_text.h"

namespace vantrel::cli {
namespace {

void AppendHexEscape(std::string& out, unsigned code) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[code >> 4];
  out += kHex[code & 0x0F];
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\t') {
      printable += "\\t";
    } else if (c == '\n') {
      printable += "\\n";
    } else if (c == '\r') {
      printable += "\\r";
    } else if (c == '\\') {
      printable += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      AppendHexEscape(printable, c);
    } else if (c == 0xC2 && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
      // U+0080 to U+009F: the C1 controls, which some terminals obey as ESC sequences.
      AppendHexEscape(printable, static_cast<unsigned char>(text[++i]));
    } else {
      printable += static_cast<char>(c);
    }
  }
  return printable;
}

}  // namespace vantrel::cli
