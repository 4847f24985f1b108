// minizip reads archives through a table of stream functions. This one serves them from
// the platform file system, so packages are found by UTF-8 paths without regard to
// letter case on every system, and reads are buffered: walking a central directory
// otherwise costs a system call for every two- and four-byte field.
#pragma once

#include <cstdint>
#include <optional>

#include <ioapi.h>

#include "platform/file_system.h"

namespace vantrel {

// Where a minizip seek from `origin` (ZLIB_FILEFUNC_SEEK_SET, _CUR or _END) by `offset`
// lands, for a stream at `position` over `file`; empty for an unknown origin or a file
// whose size cannot be read.
std::optional<std::uint64_t> SeekTarget(std::uint64_t position, platform::File& file,
                                        std::uint64_t offset, int origin);

// Stream functions for unzOpen2_64. Each opened stream owns its file and buffer; minizip
// closes it through the table.
zlib_filefunc64_def ArchiveStreamFunctions();

}  // namespace vantrel
