// The package path the launcher is started with. The shell opens a ".kzm" file by
// starting the launcher with the file's path in double quotes; the launcher takes the
// text between the first and the last character, without checking that they are quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The text without its first and last character; empty for a text of one or two.
std::string StripQuotes(std::string_view text);

// The package of a launcher command line: nothing for an empty command line, else the
// line with its quotes stripped (which may leave an empty path).
std::optional<std::string> CommandLinePackage(std::string_view commandLine);

}  // namespace vantrel
