// The form in which `vantrel folders set` stores a folder: absolute, with "." and ".."
// taken by name, and without repeated or trailing separators, so that the launcher can
// append its "\KZMISS"-style literals to it.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::cli {

// `path` as the store keeps it; a relative path is taken from `currentFolder`. A root
// keeps its separator ("/", "D:\"); ".." above a root stays at the root. The separator
// of a path in Windows form (a drive, or backslashes only) stays '\', else it is '/'.
std::string StoredFolder(std::string_view path, std::string_view currentFolder);

}  // namespace vantrel::cli
