#include "package/archive_stream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vantrel {
namespace {

// A read-only file with two read blocks. minizip sees it as an opaque pointer from
// open until close; `release` hands ownership to minizip, Close takes it back.
class BufferedStream {
 public:
  explicit BufferedStream(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}

  unsigned long Read(void* destination, unsigned long size) {
    // Walking the directory reads a field of a few bytes at a time, mostly from the
    // block read from last.
    if (last_ != nullptr && position_ >= last_->start &&
        position_ - last_->start + size <= last_->bytes.size()) {
      std::memcpy(destination, last_->bytes.data() + (position_ - last_->start), size);
      position_ += size;
      return size;
    }
    auto* out = static_cast<unsigned char*>(destination);
    unsigned long done = 0;
    while (done < size) {
      if (Block* block = BlockHolding(position_)) {
        const std::size_t offset = position_ - block->start;
        const std::size_t count = std::min<std::size_t>(block->bytes.size() - offset, size - done);
        std::memcpy(out + done, block->bytes.data() + offset, count);
        done += count;
        position_ += count;
        continue;
      }
      if (!SeekFile(position_)) break;
      // Large reads (the compressed data of an entry) bypass the blocks.
      if (size - done >= kBlockSize) {
        const std::int64_t count = file_->Read(out + done, size - done);
        if (count <= 0) {
          error_ = count < 0;
          break;
        }
        done += static_cast<unsigned long>(count);
        position_ += static_cast<std::uint64_t>(count);
        filePosition_ = position_;
        continue;
      }
      Block& block = LeastRecentlyUsed();
      block.bytes.resize(kBlockSize);
      const std::int64_t count = file_->Read(block.bytes.data(), kBlockSize);
      if (count <= 0) {
        block.bytes.clear();
        error_ = count < 0;
        break;
      }
      block.bytes.resize(static_cast<std::size_t>(count));
      block.start = position_;
      filePosition_ = position_ + static_cast<std::uint64_t>(count);
    }
    return done;
  }

  std::uint64_t Tell() const { return position_; }

  long Seek(std::uint64_t offset, int origin) {
    const std::optional<std::uint64_t> target = SeekTarget(position_, *file_, offset, origin);
    if (!target) return -1;
    position_ = *target;
    return 0;
  }

  bool HasError() const { return error_; }

 private:
  // Walking a package reads two places in turn: the central directory, entry by entry,
  // and each entry's local header and data. A block for each keeps both walks from
  // reading the same bytes again.
  static constexpr std::size_t kBlockSize = 16 * 1024;

  struct Block {
    std::vector<unsigned char> bytes;
    std::uint64_t start = 0;
  };

  Block* BlockHolding(std::uint64_t position) {
    for (Block& block : blocks_) {
      if (position >= block.start && position < block.start + block.bytes.size()) {
        last_ = &block;
        return &block;
      }
    }
    return nullptr;
  }

  // Of two blocks, the one used less recently is the one not used last.
  Block& LeastRecentlyUsed() {
    last_ = last_ == &blocks_[0] ? &blocks_[1] : &blocks_[0];
    return *last_;
  }

  bool SeekFile(std::uint64_t position) {
    if (filePosition_ == position) return true;
    if (!file_->Seek(position)) {
      error_ = true;
      return false;
    }
    filePosition_ = position;
    return true;
  }

  std::unique_ptr<platform::File> file_;
  std::array<Block, 2> blocks_;
  Block* last_ = nullptr;
  std::uint64_t position_ = 0;
  std::uint64_t filePosition_ = 0;
  bool error_ = false;
};

BufferedStream* AsStream(voidpf stream) { return static_cast<BufferedStream*>(stream); }

voidpf ZCALLBACK OpenStream(voidpf, const void* path, int mode) {
  // Packages are only ever read.
  if (path == nullptr || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) {
    return nullptr;
  }
  auto file = platform::Files().Open(static_cast<const char*>(path), platform::OpenMode::Read);
  if (!file) return nullptr;
  return std::make_unique<BufferedStream>(std::move(file)).release();
}

uLong ZCALLBACK ReadStream(voidpf, voidpf stream, void* buffer, uLong size) {
  return AsStream(stream)->Read(buffer, size);
}

uLong ZCALLBACK WriteStream(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellStream(voidpf, voidpf stream) { return AsStream(stream)->Tell(); }

long ZCALLBACK SeekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  return AsStream(stream)->Seek(offset, origin);
}

int ZCALLBACK CloseStream(voidpf, voidpf stream) {
  std::unique_ptr<BufferedStream> owned(AsStream(stream));
  return 0;
}

int ZCALLBACK StreamError(voidpf, voidpf stream) { return AsStream(stream)->HasError() ? 1 : 0; }

}  // namespace

std::optional<std::uint64_t> SeekTarget(std::uint64_t position, platform::File& file,
                                        std::uint64_t offset, int origin) {
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      return offset;
    case ZLIB_FILEFUNC_SEEK_CUR:
      return position + offset;
    case ZLIB_FILEFUNC_SEEK_END:
      if (const std::optional<std::uint64_t> size = file.Size()) return *size + offset;
      return std::nullopt;
  }
  return std::nullopt;
}

zlib_filefunc64_def ArchiveStreamFunctions() {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = OpenStream;
  functions.zread_file = ReadStream;
  functions.zwrite_file = WriteStream;
  functions.ztell64_file = TellStream;
  functions.zseek64_file = SeekStream;
  functions.zclose_file = CloseStream;
  functions.zerror_file = StreamError;
  functions.opaque = nullptr;
  return functions;
}

}  // namespace vantrel
