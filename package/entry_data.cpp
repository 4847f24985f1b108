// Reading an entry's data: the refusals made before anything is written (encryption, a
// method other than stored and deflate, sizes this build cannot read), then the raw bytes
// inflated here, checked against the declared size and the CRC-32 as they pass on.
#include "package/entry_data.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <unzip.h>
#include <zlib.h>

namespace vantrel {
namespace {

using Kind = EntryDataProblem::Kind;

constexpr std::uint32_t kEncryptedFlag = 1u << 0;
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;
// Packed data of at least this size is read from the package file directly, when the
// caller gave it.
constexpr std::uint64_t kDirectReadFrom = 64 * 1024;

// The methods a player is likely to meet, so that a refusal says which one it was.
std::string MethodName(std::uint32_t method) {
  switch (method) {
    case 1: return " (shrink)";
    case 6: return " (implode)";
    case 9: return " (deflate64)";
    case 12: return " (bzip2)";
    case 14: return " (LZMA)";
    case 20:
    case 93: return " (zstd)";
    case 95: return " (xz)";
    case 98: return " (PPMd)";
    case 99: return " (AES)";
    default: return "";
  }
}

EntryDataProblem Problem(Kind kind, std::string text) {
  // What cannot be unpacked is not damaged for that; everything else is the package's.
  const auto code =
      kind == Kind::Refused ? platform::ErrorCode::Other : platform::ErrorCode::Damaged;
  return {kind, platform::MakeError(code, std::move(text))};
}

// Inflates raw deflate data piece by piece.
class Inflater {
 public:
  Inflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~Inflater() {
    if (ready_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ready() const { return ready_; }
  bool ended() const { return ended_; }

  void Give(const char* data, std::size_t size) {
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream_.avail_in = static_cast<uInt>(size);
  }
  bool HasInput() const { return stream_.avail_in > 0 && !ended_; }

  // Inflates into `out`: the count written, or empty when the data is damaged (the
  // inflater's own words in `error`).
  std::optional<std::size_t> Take(char* out, std::size_t size, std::string& error) {
    stream_.next_out = reinterpret_cast<Bytef*>(out);
    stream_.avail_out = static_cast<uInt>(size);
    const int result = inflate(&stream_, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      ended_ = true;
    } else if (result != Z_OK && result != Z_BUF_ERROR) {
      error = stream_.msg != nullptr ? stream_.msg : "the data cannot be inflated";
      return std::nullopt;
    }
    return size - stream_.avail_out;
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
  bool ended_ = false;
};

// Closes minizip's current entry whatever way the read ends.
struct EntryCloser {
  void operator()(void* zip) const { unzCloseCurrentFile(static_cast<unzFile>(zip)); }
};

class DataReader {
 public:
  DataReader(const EntryData& data, std::vector<char>& out,
             const std::function<bool(std::string_view)>& sink)
      : data_(data), sink_(sink), out_(out) {}

  // Passes on one piece of unpacked data, checked against the declared size first.
  std::optional<EntryDataProblem> Pass(const char* bytes, std::size_t size) {
    if (size == 0) return std::nullopt;
    if (size > data_.uncompressedSize - written_) {
      return Problem(Kind::Damaged, "unpacks past its declared size of " +
                                        std::to_string(data_.uncompressedSize) + " bytes");
    }
    written_ += size;
    crc_ = crc32(crc_, reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(size));
    if (!sink_(std::string_view(bytes, size))) {
      return EntryDataProblem{Kind::NotWritten, {}};
    }
    return std::nullopt;
  }

  std::optional<EntryDataProblem> PassInflated(Inflater& inflater, const char* raw,
                                               std::size_t size) {
    inflater.Give(raw, size);
    while (true) {
      std::string error;
      const std::optional<std::size_t> count = inflater.Take(out_.data(), out_.size(), error);
      if (!count) return Problem(Kind::Damaged, "damaged data (" + error + ")");
      if (auto problem = Pass(out_.data(), *count)) return problem;
      // A full buffer may leave more output waiting even when all input is taken.
      if (inflater.ended() || *count == 0 || (*count < out_.size() && !inflater.HasInput())) {
        return std::nullopt;
      }
    }
  }

  // After the last stored byte: the data must have been whole.
  std::optional<EntryDataProblem> Finish(const Inflater* inflater) const {
    if ((inflater != nullptr && !inflater->ended()) || written_ < data_.uncompressedSize) {
      return Problem(Kind::Damaged, "the data ends after " + std::to_string(written_) + " of " +
                                        std::to_string(data_.uncompressedSize) + " bytes");
    }
    if (crc_ != data_.crc) return Problem(Kind::CrcMismatch, "CRC mismatch");
    return std::nullopt;
  }

 private:
  const EntryData& data_;
  const std::function<bool(std::string_view)>& sink_;
  std::vector<char>& out_;
  std::uint64_t written_ = 0;
  uLong crc_ = crc32(0, nullptr, 0);
};

}  // namespace

std::optional<EntryDataProblem> RefusedEntryData(const EntryData& data) {
  if ((data.flags & kEncryptedFlag) != 0) {
    return Problem(Kind::Refused, "encrypted; it cannot be unpacked without its password");
  }
  if (data.compressionMethod != kStored && data.compressionMethod != kDeflated) {
    return Problem(Kind::Refused, "packed with compression method " +
                                      std::to_string(data.compressionMethod) +
                                      MethodName(data.compressionMethod) +
                                      ", which cannot be unpacked (only stored and deflate)");
  }
  return std::nullopt;
}

std::optional<EntryDataProblem> ReadEntryData(void* zip, const EntryData& data,
                                              std::size_t pieceSize,
                                              const std::function<bool(std::string_view)>& sink) {
  EntryBuffers buffers(pieceSize, pieceSize);
  return ReadEntryData(zip, data, buffers, sink);
}

std::optional<EntryDataProblem> ReadEntryData(void* zip, const EntryData& data,
                                              EntryBuffers& buffers,
                                              const std::function<bool(std::string_view)>& sink) {
  if (auto refused = RefusedEntryData(data)) return refused;
  const unzFile file = static_cast<unzFile>(zip);
  // minizip reads as many stored bytes as it takes the entry to hold. A build that does
  // not take the sizes of zip64 fields (Debian's, on 64-bit systems) holds 0xFFFFFFFF
  // for one of 4 GiB or more, and would read the wrong amount.
  unz_file_info64 seen{};
  if (unzGetCurrentFileInfo64(file, &seen, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return Problem(Kind::Damaged, "its entry in the directory cannot be read");
  }
  if (seen.compressed_size != data.compressedSize) {
    return Problem(Kind::Refused, "its packed data is 4 GiB or more, which cannot be read here");
  }
  // Raw: minizip checks the local header and hands over the stored bytes.
  if (unzOpenCurrentFile2(file, nullptr, nullptr, 1) != UNZ_OK) {
    return Problem(Kind::Damaged, "its local header is broken");
  }
  const std::unique_ptr<void, EntryCloser> open(zip);

  std::unique_ptr<Inflater> inflater;
  if (data.compressionMethod == kDeflated) {
    inflater = std::make_unique<Inflater>();
    if (!inflater->ready()) return Problem(Kind::Damaged, "the inflater cannot start");
  }
  DataReader reader(data, buffers.unpacked, sink);
  std::vector<char>& raw = buffers.packed;
  // The data of a small entry mostly came in with its local header, in minizip's read
  // of the package; only a large one is worth reading past minizip.
  const bool direct = buffers.package != nullptr && data.compressedSize >= kDirectReadFrom;
  std::uint64_t position = direct ? unzGetCurrentFileZStreamPos64(file) : 0;
  std::uint64_t left = data.compressedSize;
  const auto readPacked = [&]() -> std::int64_t {
    if (!direct) {
      return unzReadCurrentFile(file, raw.data(), static_cast<unsigned>(raw.size()));
    }
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(raw.size(), left));
    if (wanted == 0) return 0;
    if (buffers.packageAt != position) {
      buffers.packageAt.reset();
      if (!buffers.package->Seek(position)) return -1;
    }
    const std::int64_t count = buffers.package->Read(raw.data(), wanted);
    // A package that ends before the entry's data does is damaged as much as one that
    // cannot be read.
    if (count <= 0) return -1;
    position += static_cast<std::uint64_t>(count);
    left -= static_cast<std::uint64_t>(count);
    buffers.packageAt = position;
    return count;
  };
  while (!inflater || !inflater->ended()) {
    const std::int64_t count = readPacked();
    if (count < 0) return Problem(Kind::Damaged, "the package ends inside its data");
    if (count == 0) break;
    auto problem = inflater
                       ? reader.PassInflated(*inflater, raw.data(), static_cast<std::size_t>(count))
                       : reader.Pass(raw.data(), static_cast<std::size_t>(count));
    if (problem) return problem;
  }
  return reader.Finish(inflater.get());
}

}  // namespace vantrel
