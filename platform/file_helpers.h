// Whole-file work over the file-system seam, written once for every caller: reading a
// file whole or a block of it, splitting a text into its lines, creating a folder with
// the folders above it, and replacing a file's content so that a failure half-way never
// leaves it cut short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace vantrel::platform {

// A whole file's bytes, or why there are none: a file that is not there is told apart
// from one that exists but cannot be opened or read to its end, which callers must not
// overwrite as if it were new.
struct WholeFile {
  enum class Status { Read, Missing, Unreadable };
  Status status = Status::Missing;
  std::string bytes;  // every byte of the file when read
};

WholeFile ReadWholeFile(const std::string& path);

// The lines of a text, without their line ends (CR LF or LF alone); a last line without
// a line end counts, an empty text has none.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads from the current position until `size` bytes are in or the file ends: the count
// read, or -1 on an error.
std::int64_t ReadUpTo(File& file, void* buffer, std::size_t size);

// The same into a string: at most `size` bytes, fewer at the end of the file; empty
// optional on an error.
std::optional<std::string> ReadUpTo(File& file, std::size_t size);

// Creates `folder` and every missing folder above it. True when it exists as a folder
// afterwards; false when it, or a folder above it, is a file or cannot be created.
bool CreateFolders(const std::string& folder);

// Writes `bytes` to `temporaryPath`, flushes them to the disk and renames that over
// `path` in one step, so `path` holds either its old content or the new one whole. On
// failure the temporary file is deleted and `path` is as it was.
bool ReplaceFileContent(const std::string& path, const std::string& temporaryPath,
                        std::string_view bytes);

// Removes `folder` with everything inside it. A link or junction inside is removed itself,
// never followed, so nothing outside the folder is touched. True when the folder is gone.
bool RemoveFolderTree(const std::string& folder);

}  // namespace vantrel::platform
