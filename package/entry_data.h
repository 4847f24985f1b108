// Reading one archive entry's data so that nothing wrong in it passes unseen. minizip
// hands over the stored bytes as they are (its raw mode) and they are inflated here:
// that way an entry that inflates past the size its directory declares is stopped at
// that size instead of being cut to it without a word, data that ends early is told
// apart from a whole entry, and the CRC-32 of the unpacked bytes is taken as they pass
// on to be written, without reading them a second time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/system_error.h"

namespace vantrel {

// What the directory declares of an entry's data.
struct EntryData {
  std::uint32_t flags = 0;              // general-purpose flags; bit 0: encrypted
  std::uint32_t compressionMethod = 0;  // 0 stored, 8 deflate
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t uncompressedSize = 0;
};

struct EntryDataProblem {
  enum class Kind {
    Refused,      // encrypted, or packed by a method other than stored and deflate
    Damaged,      // a broken local header, data that breaks off or will not inflate
    CrcMismatch,  // unpacked whole, but not to the bytes that were packed
    NotWritten,   // the sink refused a piece: writing it failed
  };
  Kind kind = Kind::Damaged;
  platform::SystemError cause;
};

// Why an entry's data cannot be unpacked at all, before any of it is read: encryption
// or a compression method other than stored and deflate. Empty when it can be.
std::optional<EntryDataProblem> RefusedEntryData(const EntryData& data);

// Hands the unpacked data of minizip's current entry (an unzFile) to `sink` in pieces of
// at most `pieceSize` bytes; `sink` answers false when it could not take a piece, which
// stops the read. Empty when every declared byte came and the CRC matched. The entry is
// closed again either way.
std::optional<EntryDataProblem> ReadEntryData(void* zip, const EntryData& data,
                                              std::size_t pieceSize,
                                              const std::function<bool(std::string_view)>& sink);

// The buffers of a read: the stored bytes as they come from the archive, and the unpacked
// ones on their way to the sink. Their sizes are the sizes of the pieces; a caller that
// reads many entries keeps one set for all of them. With `package`, the package file
// open for reading, the stored bytes of a large entry are read from it directly, in
// pieces as large as the buffer: minizip reads them 16 KiB at a time and takes a CRC-32
// of the packed bytes that nothing needs.
struct EntryBuffers {
  EntryBuffers(std::size_t packedPiece, std::size_t unpackedPiece)
      : packed(packedPiece), unpacked(unpackedPiece) {}

  std::vector<char> packed;
  std::vector<char> unpacked;
  platform::File* package = nullptr;
  std::optional<std::uint64_t> packageAt;  // where the package file stands, if known
};

// As above, through the caller's buffers.
std::optional<EntryDataProblem> ReadEntryData(void* zip, const EntryData& data,
                                              EntryBuffers& buffers,
                                              const std::function<bool(std::string_view)>& sink);

}  // namespace vantrel
