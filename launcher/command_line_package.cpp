#include "launcher/command_line_package.h"

namespace vantrel {

std::string StripQuotes(std::string_view text) {
  if (text.size() < 3) return {};
  return std::string(text.substr(1, text.size() - 2));
}

std::optional<std::string> CommandLinePackage(std::string_view commandLine) {
  if (commandLine.empty()) return std::nullopt;
  return StripQuotes(commandLine);
}

}  // namespace vantrel
