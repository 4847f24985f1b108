// minizip reads archives through a table of stream functions. This one serves them from
// the platform file system, so packages are found by UTF-8 paths without regard to
// letter case on every system, and reads are buffered: walking a central directory
// otherwise costs a system call for every two- and four-byte field.
#pragma once

#include <ioapi.h>

namespace vantrel {

// Stream functions for unzOpen2_64. Each opened stream owns its file and buffer; minizip
// closes it through the table.
zlib_filefunc64_def ArchiveStreamFunctions();

}  // namespace vantrel
