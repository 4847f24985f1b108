// Whole small files as text: the registry file, the install log. Read through Files(), so
// tests can make the reads fail.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::platform {

// The file's bytes; nothing when it cannot be opened or a read fails.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The lines of a text, without their line ends (CR LF or LF alone); a last line without
// a line end counts, an empty text has none.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace vantrel::platform
