// Folder creation and file times for extracted entries. Paths are the launcher's: a
// backslash (or a slash) separates folders.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace vantrel {

// Creates the folder that will hold `filePath`; false when the path has no separator.
bool CreateParentFolder(const std::string& filePath);

// Sets the file's creation and last-write times to a DOS date and time (date in the high
// 16 bits) read as local time; the last-access time stays.
bool SetFileTimeFromDos(const std::string& path, std::uint32_t dosDateTime);

// Sets the same times on a file already open for writing; false when the stored value is
// no date or the times cannot be set.
bool SetFileTimeFromDos(platform::File& file, std::uint32_t dosDateTime);

}  // namespace vantrel
