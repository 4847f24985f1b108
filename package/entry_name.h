// Names of archive entries. ZIP stores them as bytes: UTF-8 when the entry says so,
// otherwise in the code page of the system that wrote it, which for the club's packages
// is the Windows Western code page. Names also decide where an entry is written, so a
// name that would leave the destination folder is refused here.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The stored name as UTF-8: kept as it is when it is UTF-8 already (or flagged so),
// otherwise read as Windows-1252. Every '/' becomes '\'.
std::string DecodeEntryName(std::string_view stored, bool flaggedUtf8);

// False for a name that could place a file outside the destination folder: one that
// begins with '\' or '/', holds a ':' (a drive, or a stream of a file on NTFS), or has
// a ".." component.
bool IsSafeEntryName(std::string_view name);

}  // namespace vantrel
