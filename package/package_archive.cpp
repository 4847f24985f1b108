#include "package/package_archive.h"

#include <vector>

#include <unzip.h>

#include "package/archive_stream.h"
#include "package/entry_name.h"
#include "package/folders.h"
#include "platform/file_helpers.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/system_error.h"

namespace vantrel {
namespace {

constexpr std::size_t kMaxNameLength = 260;
constexpr std::size_t kMaxCommentLength = 256;
// Bit 11 of the general-purpose flags marks a UTF-8 name.
constexpr std::uint32_t kUtf8NameFlag = 1u << 11;

unzFile AsUnz(void* archive) { return static_cast<unzFile>(archive); }

// Cuts UTF-8 text to at most `limit` characters without splitting one.
std::string CutToCharacters(std::string text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++characters > limit) {
      text.resize(i);
      break;
    }
  }
  return text;
}

bool HasExtension(std::string_view name, std::string_view extension) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && platform::NamesEqual(name.substr(dot + 1), extension);
}

}  // namespace

PackageArchive::PackageArchive() = default;

PackageArchive::~PackageArchive() = default;

void PackageArchive::ArchiveCloser::operator()(void* archive) const {
  unzCloseCurrentFile(AsUnz(archive));
  unzClose(AsUnz(archive));
}

bool PackageArchive::OpenPackage(const std::string& path) {
  ClosePackage();
  if (path.empty()) return false;
  zlib_filefunc64_def functions = ArchiveStreamFunctions();
  const platform::SavedFailure before;
  platform::ClearLastFailure();
  archive_.reset(unzOpen2_64(path.c_str(), &functions));
  if (!isOpen()) {
    // A file that opened but holds no archive directory is damaged, not missing.
    if (!platform::LastFailure()) {
      platform::RecordFailure(
          {path, platform::MakeError(platform::ErrorCode::Damaged, "not a ZIP archive")});
    }
    return false;
  }
  before.Restore();
  const std::size_t dot = path.rfind('.');
  defaultFolder_ = dot == std::string::npos ? path : path.substr(0, dot);
  currentIndex_ = 0;  // minizip opens positioned on the first entry
  return true;
}

bool PackageArchive::ClosePackage() {
  lastFolder_.clear();
  if (!isOpen()) return false;
  // Closed here rather than by the owner, to learn whether minizip closed it cleanly.
  void* archive = archive_.release();
  unzCloseCurrentFile(AsUnz(archive));
  const bool closed = unzClose(AsUnz(archive)) == UNZ_OK;
  currentIndex_.reset();
  return closed;
}

bool PackageArchive::ExtractPackage(const std::string& folder, bool dropFolders) {
  if (!isOpen() || folder.empty()) return false;
  if (!platform::CreateFolders(folder)) return false;
  if (GetEntryCount() == 0) return false;
  if (!GoToFirstEntry()) return false;
  do {
    if (!ExtractCurrentEntry(folder, dropFolders)) return false;
  } while (GoToNextEntry());
  return true;
}

bool PackageArchive::ExtractCurrentEntry(const std::optional<std::string>& folder, bool dropFolders) {
  if (!isOpen()) return false;
  const std::string& destination = folder ? *folder : defaultFolder_;
  if (!EnsureFolder(destination)) return false;
  return ExtractTo(destination, dropFolders);
}

bool PackageArchive::EnsureFolder(const std::string& folder) {
  // Entries after the first go into folders made for the ones before; asking the file
  // system again for each of thousands of entries would cost more than writing them.
  if (folder == lastFolder_) return true;
  if (!platform::CreateFolders(folder)) return false;
  lastFolder_ = folder;
  return true;
}

bool PackageArchive::ExtractEntryAt(long index, const std::optional<std::string>& folder,
                                    bool dropFolders) {
  if (!isOpen() || index < 0 || static_cast<unsigned long>(index) >= GetEntryCount()) return false;
  if (!currentIndex_ || *currentIndex_ > index) {
    if (!GoToFirstEntry()) return false;
  }
  while (*currentIndex_ < index) {
    if (!StepToNext()) return false;
  }
  return ExtractCurrentEntry(folder, dropFolders);
}

unsigned long PackageArchive::GetEntryCount() {
  if (!isOpen()) return 0;
  unz_global_info64 info{};
  if (unzGetGlobalInfo64(AsUnz(archive_.get()), &info) != UNZ_OK) return 0;
  return static_cast<unsigned long>(info.number_entry);
}

bool PackageArchive::GoToFirstEntry(std::string_view extension) {
  if (!isOpen()) return false;
  if (unzGoToFirstFile(AsUnz(archive_.get())) != UNZ_OK) {
    currentIndex_.reset();
    return false;
  }
  currentIndex_ = 0;
  if (extension.empty()) return true;
  PackageEntryInfo info;
  if (!GetCurrentEntryInfo(info)) return false;
  if (HasExtension(info.name, extension)) return true;
  return GoToNextEntry(extension);
}

bool PackageArchive::GoToNextEntry(std::string_view extension) {
  if (!isOpen()) return false;
  if (extension.empty()) return StepToNext();
  PackageEntryInfo info;
  while (true) {
    if (!StepToNext() || !GetCurrentEntryInfo(info)) return false;
    if (HasExtension(info.name, extension)) return true;
  }
}

bool PackageArchive::StepToNext() {
  if (unzGoToNextFile(AsUnz(archive_.get())) != UNZ_OK) {
    // minizip stays on the last entry at the end of the directory, but any other error
    // leaves the position unknown.
    currentIndex_.reset();
    return false;
  }
  if (currentIndex_) ++*currentIndex_;
  return true;
}

bool PackageArchive::GetCurrentEntryInfo(PackageEntryInfo& info) {
  if (!isOpen()) return false;
  unz_file_info64 raw{};
  if (unzGetCurrentFileInfo64(AsUnz(archive_.get()), &raw, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  std::vector<char> name(raw.size_filename + 1, '\0');
  std::vector<char> comment(raw.size_file_comment + 1, '\0');
  if (unzGetCurrentFileInfo64(AsUnz(archive_.get()), &raw, name.data(), name.size(), nullptr, 0,
                              comment.data(), comment.size()) != UNZ_OK) {
    return false;
  }
  const bool utf8 = (raw.flag & kUtf8NameFlag) != 0;
  info.name = CutToCharacters(DecodeEntryName({name.data(), raw.size_filename}, utf8), kMaxNameLength);
  info.comment = CutToCharacters(DecodeEntryName({comment.data(), raw.size_file_comment}, utf8),
                                 kMaxCommentLength);
  // A comment is text, not a path: put back the slashes the decoding turned.
  for (char& c : info.comment) {
    if (c == '\\') c = '/';
  }
  info.versionMadeBy = static_cast<std::uint32_t>(raw.version);
  info.versionNeeded = static_cast<std::uint32_t>(raw.version_needed);
  info.flags = static_cast<std::uint32_t>(raw.flag);
  info.compressionMethod = static_cast<std::uint32_t>(raw.compression_method);
  info.dosDateTime = static_cast<std::uint32_t>(raw.dosDate);
  info.crc = static_cast<std::uint32_t>(raw.crc);
  info.compressedSize = static_cast<std::uint32_t>(raw.compressed_size);
  info.uncompressedSize = static_cast<std::uint32_t>(raw.uncompressed_size);
  info.internalAttributes = static_cast<std::uint32_t>(raw.internal_fa);
  info.externalAttributes = static_cast<std::uint32_t>(raw.external_fa);
  info.isFolder = !info.name.empty() && info.name.back() == '\\';
  return true;
}

PackageArchive::EntryRead PackageArchive::ReadCurrentEntry(
    const std::function<void(std::string_view)>& sink) {
  if (!isOpen()) return EntryRead::CannotOpen;
  const unzFile zip = AsUnz(archive_.get());
  if (unzOpenCurrentFile(zip) != UNZ_OK) return EntryRead::CannotOpen;
  std::vector<char> buffer(kCopyBufferSize);
  while (true) {
    const int count = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (count == 0) break;
    if (count < 0) {
      unzCloseCurrentFile(zip);
      return EntryRead::DataError;
    }
    sink(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
  }
  return unzCloseCurrentFile(zip) == UNZ_CRCERROR ? EntryRead::CrcMismatch : EntryRead::Done;
}

bool PackageArchive::ExtractTo(const std::string& destination, bool dropFolders) {
  PackageEntryInfo info;
  if (!GetCurrentEntryInfo(info)) return false;
  if (info.isFolder) return true;
  if (!IsSafeEntryName(info.name)) return false;

  std::string outputPath = destination;
  if (outputPath.empty() || (outputPath.back() != '\\' && outputPath.back() != '/')) {
    outputPath += '\\';
  }
  outputPath += dropFolders ? std::string(platform::FileNamePart(info.name)) : info.name;
  if (!platform::PathFitsLimit(outputPath)) return false;

  const std::size_t separator = outputPath.find_last_of("\\/");
  EnsureFolder(outputPath.substr(0, separator));
  return CopyCurrentEntryTo(outputPath, info.dosDateTime);
}

bool PackageArchive::CopyCurrentEntryTo(const std::string& outputPath, std::uint32_t dosDateTime) {
  bool copied = true;
  {
    auto output = platform::Files().Open(outputPath, platform::OpenMode::CreateAlways);
    if (!output) return false;
    if (unzOpenCurrentFile(AsUnz(archive_.get())) != UNZ_OK) return false;  // the empty file stays
    std::vector<char> buffer(kCopyBufferSize);
    while (true) {
      const int count = unzReadCurrentFile(AsUnz(archive_.get()), buffer.data(),
                                           static_cast<unsigned>(buffer.size()));
      if (count == 0) break;
      if (count < 0 || !output->Write(buffer.data(), static_cast<std::size_t>(count))) {
        copied = false;
        break;
      }
    }
    // The stored time goes on through the handle that wrote the file, as the last thing
    // before it closes: the same times as setting them by path afterwards, one open fewer
    // for every entry. Its result does not matter.
    if (copied) SetFileTimeFromDos(*output, dosDateTime);
  }
  // A CRC mismatch is reported only here, and does not fail the extraction: the file is
  // written as the archive holds it.
  unzCloseCurrentFile(AsUnz(archive_.get()));
  return copied;
}

}  // namespace vantrel
