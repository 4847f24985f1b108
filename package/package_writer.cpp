#include "package/package_writer.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "package/archive_stream.h"
#include "platform/path.h"

namespace vantrel {
namespace {

// The writer puts every header field down with a write of its own; collecting them in a
// block keeps an archive of thousands of entries from costing a system call per field.
class WriteStream {
 public:
  explicit WriteStream(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}

  unsigned long Write(const void* data, unsigned long size) {
    if (error_) return 0;
    if (pending_.size() + size > kBlockSize && !Flush()) return 0;
    if (size >= kBlockSize) {
      if (!file_->Write(data, size)) {
        error_ = true;
        return 0;
      }
    } else {
      const auto* bytes = static_cast<const unsigned char*>(data);
      pending_.insert(pending_.end(), bytes, bytes + size);
    }
    position_ += size;
    return size;
  }

  unsigned long Read(void* buffer, unsigned long size) {
    if (!Flush()) return 0;
    const std::int64_t count = file_->Read(buffer, size);
    if (count < 0) {
      error_ = true;
      return 0;
    }
    position_ += static_cast<std::uint64_t>(count);
    return static_cast<unsigned long>(count);
  }

  std::uint64_t Tell() const { return position_; }

  long Seek(std::uint64_t offset, int origin) {
    if (!Flush()) return -1;
    const std::optional<std::uint64_t> target = SeekTarget(position_, *file_, offset, origin);
    if (!target || !file_->Seek(*target)) return -1;
    position_ = *target;
    return 0;
  }

  // Writes what is still pending; true when everything so far reached the file.
  bool Flush() {
    if (!error_ && !pending_.empty() && !file_->Write(pending_.data(), pending_.size())) {
      error_ = true;
    }
    pending_.clear();
    return !error_;
  }

  bool HasError() const { return error_; }

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  std::unique_ptr<platform::File> file_;
  std::vector<unsigned char> pending_;
  std::uint64_t position_ = 0;
  bool error_ = false;
};

WriteStream* AsStream(voidpf stream) { return static_cast<WriteStream*>(stream); }

voidpf ZCALLBACK OpenStream(voidpf opaque, const void* path, int mode) {
  if (path == nullptr || (mode & ZLIB_FILEFUNC_MODE_CREATE) == 0) return nullptr;
  auto& files = *static_cast<platform::FileSystem*>(opaque);
  auto file = files.Open(static_cast<const char*>(path), platform::OpenMode::CreateAlways);
  if (!file) return nullptr;
  return std::make_unique<WriteStream>(std::move(file)).release();
}

uLong ZCALLBACK ReadStream(voidpf, voidpf stream, void* buffer, uLong size) {
  return AsStream(stream)->Read(buffer, size);
}

uLong ZCALLBACK WriteToStream(voidpf, voidpf stream, const void* data, uLong size) {
  return AsStream(stream)->Write(data, size);
}

ZPOS64_T ZCALLBACK TellStream(voidpf, voidpf stream) { return AsStream(stream)->Tell(); }

long ZCALLBACK SeekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  return AsStream(stream)->Seek(offset, origin);
}

// The last chance to see a failed write: minizip takes a close that fails as an error of
// the whole archive.
int ZCALLBACK CloseStream(voidpf, voidpf stream) {
  std::unique_ptr<WriteStream> owned(AsStream(stream));
  return owned->Flush() ? 0 : -1;
}

int ZCALLBACK StreamError(voidpf, voidpf stream) { return AsStream(stream)->HasError() ? 1 : 0; }

zipFile AsZip(void* zip) { return static_cast<zipFile>(zip); }

// minizip takes the length of a write as an unsigned int; larger pieces go in parts.
constexpr std::size_t kWritePiece = 1 << 20;

// The MS-DOS folder attribute, which archivers look at to tell a folder entry.
constexpr uLong kFolderAttribute = 0x10;

}  // namespace

PackageWriter::PackageWriter(platform::FileSystem& files) : files_(files) {}

PackageWriter::~PackageWriter() {
  if (zip_ != nullptr) zipClose(AsZip(zip_), nullptr);
}

bool PackageWriter::Create(const std::string& path) {
  if (zip_ != nullptr || !platform::PathFitsLimit(path)) return false;
  zlib_filefunc64_def functions{};
  functions.zopen64_file = OpenStream;
  functions.zread_file = ReadStream;
  functions.zwrite_file = WriteToStream;
  functions.ztell64_file = TellStream;
  functions.zseek64_file = SeekStream;
  functions.zclose_file = CloseStream;
  functions.zerror_file = StreamError;
  functions.opaque = &files_;
  zip_ = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &functions);
  failed_ = false;
  return zip_ != nullptr;
}

bool PackageWriter::BeginEntry(std::string_view storedName, std::uint32_t dosDateTime,
                               bool deflate) {
  if (zip_ == nullptr || entryOpen_ || failed_) return false;
  zip_fileinfo info{};
  info.dosDate = dosDateTime;
  if (!storedName.empty() && storedName.back() == '/') info.external_fa = kFolderAttribute;
  const std::string name(storedName);
  if (zipOpenNewFileInZip64(AsZip(zip_), name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                            deflate ? Z_DEFLATED : 0, deflate ? Z_DEFAULT_COMPRESSION : 0,
                            0) != ZIP_OK) {
    failed_ = true;
    return false;
  }
  entryOpen_ = true;
  return true;
}

bool PackageWriter::Write(const void* data, std::size_t size) {
  if (!entryOpen_ || failed_) return false;
  const auto* bytes = static_cast<const char*>(data);
  for (std::size_t at = 0; at < size; at += kWritePiece) {
    const auto piece = static_cast<unsigned>(std::min(kWritePiece, size - at));
    if (zipWriteInFileInZip(AsZip(zip_), bytes + at, piece) != ZIP_OK) {
      failed_ = true;
      return false;
    }
  }
  return true;
}

bool PackageWriter::EndEntry() {
  if (!entryOpen_) return false;
  entryOpen_ = false;
  if (zipCloseFileInZip(AsZip(zip_)) != ZIP_OK) failed_ = true;
  return !failed_;
}

bool PackageWriter::Add(std::string_view storedName, std::string_view bytes,
                        std::uint32_t dosDateTime, bool deflate) {
  if (!BeginEntry(storedName, dosDateTime, deflate)) return false;
  const bool written = Write(bytes.data(), bytes.size());
  return EndEntry() && written;
}

bool PackageWriter::AddFolder(std::string_view storedName, std::uint32_t dosDateTime) {
  return Add(storedName, {}, dosDateTime, false);
}

bool PackageWriter::Finish() {
  if (zip_ == nullptr) return false;
  if (entryOpen_) EndEntry();
  const bool closed = zipClose(AsZip(zip_), nullptr) == ZIP_OK;
  zip_ = nullptr;
  return closed && !failed_;
}

}  // namespace vantrel
