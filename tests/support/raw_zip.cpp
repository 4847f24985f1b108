// The layout follows the ZIP application note: little-endian fields, local headers in
// entry order, then the central directory and its end record.
#include "tests/support/raw_zip.h"

#include <stdexcept>

#include <zlib.h>

namespace vantrel::testing {
namespace {

constexpr std::uint32_t kMax32 = 0xFFFFFFFF;

void Put(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t Crc32(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()),
            static_cast<uInt>(bytes.size())));
}

bool NeedsZip64(const RawEntry& entry) {
  return entry.compressedSize >= kMax32 || entry.uncompressedSize >= kMax32;
}

// The zip64 extra field: both sizes (the offset is never that large here).
std::string Zip64Extra(const RawEntry& entry) {
  std::string extra;
  Put(extra, 0x0001, 2);
  Put(extra, 16, 2);
  Put(extra, entry.uncompressedSize, 8);
  Put(extra, entry.compressedSize, 8);
  return extra;
}

// The fields a local header and a directory entry share, from "version needed" on.
void PutCommon(std::string& out, const RawEntry& entry, const std::string& extra) {
  const bool zip64 = NeedsZip64(entry);
  Put(out, zip64 ? 45 : 20, 2);
  Put(out, entry.flags, 2);
  Put(out, entry.method, 2);
  Put(out, 0x6000, 2);  // 12:00:00
  Put(out, 0x2EB1, 2);  // 2003-05-17
  Put(out, entry.crc, 4);
  Put(out, zip64 ? kMax32 : entry.compressedSize, 4);
  Put(out, zip64 ? kMax32 : entry.uncompressedSize, 4);
  Put(out, entry.name.size(), 2);
  Put(out, extra.size(), 2);
}

}  // namespace

RawEntry StoredEntry(std::string_view name, std::string_view bytes) {
  RawEntry entry;
  entry.name = name;
  entry.data = bytes;
  entry.crc = Crc32(bytes);
  entry.compressedSize = bytes.size();
  entry.uncompressedSize = bytes.size();
  return entry;
}

RawEntry DeflatedEntry(std::string_view name, std::string_view bytes) {
  RawEntry entry = StoredEntry(name, bytes);
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  entry.data.assign(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(entry.data.data());
  stream.avail_out = static_cast<uInt>(entry.data.size());
  const int result = deflate(&stream, Z_FINISH);
  entry.data.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("deflate");
  entry.method = 8;
  entry.compressedSize = entry.data.size();
  return entry;
}

std::string RawZipBytes(const std::vector<RawEntry>& entries) {
  std::string out;
  std::string directory;
  bool anyZip64 = false;
  for (const RawEntry& entry : entries) {
    const std::string extra = NeedsZip64(entry) ? Zip64Extra(entry) : std::string();
    anyZip64 = anyZip64 || NeedsZip64(entry);
    const std::uint64_t offset = out.size();
    Put(out, entry.brokenLocalHeader ? 0x04034B51 : 0x04034B50, 4);
    PutCommon(out, entry, extra);
    out += entry.name;
    out += extra;
    out += entry.data;

    Put(directory, 0x02014B50, 4);
    Put(directory, entry.versionMadeBy, 2);
    PutCommon(directory, entry, extra);
    Put(directory, 0, 2);  // comment length
    Put(directory, 0, 2);  // disk number
    Put(directory, 0, 2);  // internal attributes
    Put(directory, entry.externalAttributes, 4);
    Put(directory, offset, 4);
    directory += entry.name;
    directory += extra;
  }
  const std::uint64_t directoryOffset = out.size();
  out += directory;
  // Both end records: this disk and the directory's disk (0), the entries on this disk
  // and in all, the directory's size and its offset, in fields of the record's widths.
  const auto putEnd = [&](int numberWidth, int countWidth, int placeWidth) {
    Put(out, 0, numberWidth);
    Put(out, 0, numberWidth);
    Put(out, entries.size(), countWidth);
    Put(out, entries.size(), countWidth);
    Put(out, directory.size(), placeWidth);
    Put(out, directoryOffset, placeWidth);
  };
  if (anyZip64) {
    const std::uint64_t zip64End = out.size();
    Put(out, 0x06064B50, 4);
    Put(out, 44, 8);  // the size of the rest of this record
    Put(out, 45, 2);
    Put(out, 45, 2);
    putEnd(4, 8, 8);
    Put(out, 0x07064B50, 4);  // its locator
    Put(out, 0, 4);
    Put(out, zip64End, 8);
    Put(out, 1, 4);
  }
  Put(out, 0x06054B50, 4);
  putEnd(2, 2, 4);
  Put(out, 0, 2);  // comment length
  return out;
}

}  // namespace vantrel::testing
