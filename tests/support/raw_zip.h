// ZIP archives written field by field, for the packages no well-behaved writer makes:
// entries whose CRC, sizes, method, flags or attributes say what the data is not, a local
// header that is broken, sizes in zip64 fields. Every field is the caller's to choose;
// the helpers below give an honest entry to start from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::testing {

struct RawEntry {
  std::string name;            // stored as it is, '/' between folders
  std::string data;            // the bytes stored after the local header
  std::uint16_t method = 0;    // 0 stored, 8 deflate, or any other number
  std::uint16_t flags = 0;     // bit 0: encrypted
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t uncompressedSize = 0;
  std::uint16_t versionMadeBy = 20;  // the high byte names the system: 0 MS-DOS, 3 Unix
  std::uint32_t externalAttributes = 0;
  bool brokenLocalHeader = false;    // the local header's signature is damaged
};

// An entry holding `bytes` as they are (method 0), with their CRC-32 and sizes.
RawEntry StoredEntry(std::string_view name, std::string_view bytes);
// An entry holding `bytes` deflated (method 8), with their CRC-32 and sizes.
RawEntry DeflatedEntry(std::string_view name, std::string_view bytes);

// The archive's bytes: each entry's local header and data, then the central directory.
// Sizes of 4 GiB or more go into zip64 extra fields (with a zip64 end of directory).
std::string RawZipBytes(const std::vector<RawEntry>& entries);

}  // namespace vantrel::testing
