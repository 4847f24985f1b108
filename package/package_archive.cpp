#include "package/package_archive.h"

#include <algorithm>
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

constexpr std::size_t kMaxCommentLength = 256;
// Bit 11 of the general-purpose flags marks a UTF-8 name.
constexpr std::uint32_t kUtf8NameFlag = 1u << 11;
// How the external attributes mark a folder: the MS-DOS directory bit in the low byte,
// or S_IFDIR in the Unix mode that archivers of Unix systems keep in the high 16 bits.
constexpr std::uint32_t kDosFolderAttribute = 0x10;
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixFolderType = 0040000;

bool AttributesMarkFolder(std::uint32_t external) {
  return (external & kDosFolderAttribute) != 0 ||
         ((external >> 16) & kUnixTypeMask) == kUnixFolderType;
}

// Sizes of 4 GiB and more stand in the entry's zip64 extra field, the 32-bit fields
// holding 0xFFFFFFFF. Some builds of minizip (Debian's among them, on 64-bit systems)
// compare those fields with an all-ones value of 64 bits and never take the zip64 ones,
// so they are taken here: the uncompressed size first, then the compressed size, each
// present only when its 32-bit field is full.
void ApplyZip64Sizes(std::string_view extra, unz_file_info64& raw) {
  const auto read64 = [](std::string_view bytes, std::size_t at) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
  };
  const auto read16 = [](std::string_view bytes, std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
  };
  constexpr std::uint64_t kFull = 0xFFFFFFFF;
  for (std::size_t at = 0; at + 4 <= extra.size();) {
    const std::size_t id = read16(extra, at);
    const std::size_t size = read16(extra, at + 2);
    const std::string_view field = extra.substr(at + 4, std::min(size, extra.size() - at - 4));
    at += 4 + size;
    if (id != 0x0001) continue;
    std::size_t next = 0;
    for (ZPOS64_T* value : {&raw.uncompressed_size, &raw.compressed_size}) {
      if (*value != kFull) continue;
      if (next + 8 > field.size()) return;
      *value = read64(field, next);
      next += 8;
    }
    return;
  }
}

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
  path_ = path;
  directory_.reset();
  const std::size_t dot = path.rfind('.');
  defaultFolder_ = dot == std::string::npos ? path : path.substr(0, dot);
  currentIndex_ = 0;  // minizip opens positioned on the first entry
  return true;
}

bool PackageArchive::ClosePackage() {
  lastFolder_.clear();
  directory_.reset();
  if (!isOpen()) return false;
  // Closed here rather than by the owner, to learn whether minizip closed it cleanly.
  void* archive = archive_.release();
  unzCloseCurrentFile(AsUnz(archive));
  const bool closed = unzClose(AsUnz(archive)) == UNZ_OK;
  currentIndex_.reset();
  return closed;
}

bool PackageArchive::ExtractPackage(const std::string& folder, bool dropFolders) {
  failure_.reset();
  platform::ClearLastFailure();
  if (!isOpen() || folder.empty()) return false;
  if (!platform::CreateFolders(folder)) return FailFolder(folder);
  if (GetEntryCount() == 0 || !GoToFirstEntry()) {
    return Fail({},
                platform::MakeError(platform::ErrorCode::Damaged, "the package holds no entries"));
  }
  if (const std::optional<bool> extracted = ExtractInParallel(folder, dropFolders)) {
    return *extracted;
  }
  if (!GoToFirstEntry()) return false;
  do {
    if (!ExtractCurrentEntry(folder, dropFolders)) return false;
  } while (GoToNextEntry());
  return true;
}

bool PackageArchive::ExtractCurrentEntry(const std::optional<std::string>& folder,
                                         bool dropFolders) {
  failure_.reset();
  if (!isOpen()) return false;
  const std::string& destination = folder ? *folder : defaultFolder_;
  if (!EnsureFolder(destination)) return FailFolder(destination);
  return ExtractTo(destination, dropFolders);
}

bool PackageArchive::Fail(std::string entry, platform::SystemError cause) {
  failure_ = platform::Failure{std::move(entry), std::move(cause)};
  return false;
}

bool PackageArchive::FailFolder(const std::string& folder) {
  failure_ = platform::LastFailure().value_or(platform::Failure{
      folder, platform::MakeError(platform::ErrorCode::Other, "cannot be created")});
  return false;
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

bool PackageArchive::GoToEntryNamed(std::string_view name) {
  if (!isOpen()) return false;
  const std::vector<DirectoryEntry>& entries = ReadDirectory().entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!platform::NamesEqual(entries[i].info.name, name)) continue;
    if (unzSetOffset64(AsUnz(archive_.get()), entries[i].position) != UNZ_OK) return false;
    currentIndex_ = static_cast<long>(i);
    return true;
  }
  return false;
}

const Directory& PackageArchive::ReadDirectory() {
  if (directory_) return *directory_;
  directory_.emplace();
  if (!GoToFirstEntry()) return *directory_;
  do {
    DirectoryEntry entry;
    if (!GetCurrentEntryInfo(entry.info)) return *directory_;
    entry.position = unzGetOffset64(AsUnz(archive_.get()));
    directory_->entries.push_back(std::move(entry));
  } while (StepToNext());
  directory_->readWhole = true;
  currentIndex_.reset();
  return *directory_;
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
  return isOpen() && ReadCurrentEntryInfo(archive_.get(), info);
}

bool ReadCurrentEntryInfo(void* zip, PackageEntryInfo& info) {
  // Room that the name, extra field and comment of nearly every entry fit, so that
  // minizip reads the entry once; one that does not fit is read again with room made to
  // measure.
  std::size_t nameRoom = 512, extraRoom = 512, commentRoom = 512;
  std::vector<char> room;
  unz_file_info64 raw{};
  const auto read = [&] {
    room.resize(nameRoom + extraRoom + commentRoom);
    return unzGetCurrentFileInfo64(AsUnz(zip), &raw, room.data(), nameRoom, room.data() + nameRoom,
                                   extraRoom, room.data() + nameRoom + extraRoom,
                                   commentRoom) == UNZ_OK;
  };
  if (!read()) return false;
  if (raw.size_filename > nameRoom || raw.size_file_extra > extraRoom ||
      raw.size_file_comment > commentRoom) {
    nameRoom = std::max<std::size_t>(nameRoom, raw.size_filename);
    extraRoom = std::max<std::size_t>(extraRoom, raw.size_file_extra);
    commentRoom = std::max<std::size_t>(commentRoom, raw.size_file_comment);
    if (!read()) return false;
  }
  const char* name = room.data();
  const char* extra = name + nameRoom;
  const char* comment = extra + extraRoom;
  ApplyZip64Sizes({extra, raw.size_file_extra}, raw);
  const bool utf8 = (raw.flag & kUtf8NameFlag) != 0;
  info.name = DecodeEntryName({name, raw.size_filename}, utf8);
  info.comment = CutToCharacters(DecodeEntryName({comment, raw.size_file_comment}, utf8),
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
  info.compressedSize = raw.compressed_size;
  info.uncompressedSize = raw.uncompressed_size;
  info.internalAttributes = static_cast<std::uint32_t>(raw.internal_fa);
  info.externalAttributes = static_cast<std::uint32_t>(raw.external_fa);
  info.isFolder = (!info.name.empty() && info.name.back() == '\\') ||
                  AttributesMarkFolder(info.externalAttributes);
  return true;
}

std::optional<EntryDataProblem> PackageArchive::ReadCurrentEntry(
    const std::function<void(std::string_view)>& sink) {
  PackageEntryInfo info;
  if (!GetCurrentEntryInfo(info)) {
    return EntryDataProblem{EntryDataProblem::Kind::Damaged,
                            platform::MakeError(platform::ErrorCode::Damaged,
                                                "the entry of the directory cannot be read")};
  }
  return ReadEntryData(archive_.get(), info.data(), kCopyBufferSize, [&](std::string_view piece) {
    sink(piece);
    return true;
  });
}

std::optional<std::uint64_t> PackageArchive::DeclaredSize() {
  if (!isOpen()) return std::nullopt;
  const Directory& directory = ReadDirectory();
  if (!directory.readWhole) return std::nullopt;
  std::uint64_t total = 0;
  for (const DirectoryEntry& entry : directory.entries) {
    if (!entry.info.isFolder) total += entry.info.uncompressedSize;
  }
  return total;
}

bool PackageArchive::ExtractTo(const std::string& destination, bool dropFolders) {
  platform::ClearLastFailure();
  PackageEntryInfo info;
  if (!GetCurrentEntryInfo(info)) {
    return Fail({}, platform::MakeError(platform::ErrorCode::Damaged,
                                        "an entry of the directory cannot be read"));
  }
  if (info.isFolder) return true;
  if (!IsSafeEntryName(info.name)) {
    return Fail(info.name, platform::MakeError(platform::ErrorCode::Other,
                                               "the name would place it outside the folder"));
  }

  std::string outputPath = destination;
  if (outputPath.empty() || (outputPath.back() != '\\' && outputPath.back() != '/')) {
    outputPath += '\\';
  }
  outputPath += dropFolders ? std::string(platform::FileNamePart(info.name)) : info.name;
  if (!platform::PathFitsLimit(outputPath)) {
    return Fail(info.name, platform::MakeError(platform::ErrorCode::NameTooLong,
                                               "the name is longer than a path may be (" +
                                                   std::to_string(platform::kMaxPathLength) +
                                                   " characters)"));
  }
  if (auto refused = RefusedEntryData(info.data())) return Fail(info.name, refused->cause);

  const std::size_t separator = outputPath.find_last_of("\\/");
  if (!EnsureFolder(outputPath.substr(0, separator))) {
    return Fail(info.name, platform::LastCause("its folder cannot be created"));
  }
  return CopyCurrentEntryTo(outputPath, info);
}

bool PackageArchive::CopyCurrentEntryTo(const std::string& outputPath,
                                        const PackageEntryInfo& info) {
  std::optional<EntryDataProblem> problem;
  {
    auto output = platform::Files().Open(outputPath, platform::OpenMode::CreateAlways);
    if (!output) return Fail(info.name, platform::LastCause("the file cannot be created"));
    problem = ReadEntryData(
        archive_.get(), info.data(), kCopyBufferSize,
        [&](std::string_view piece) { return output->Write(piece.data(), piece.size()); });
    if (problem && problem->kind == EntryDataProblem::Kind::NotWritten) {
      problem->cause = platform::LastCause("the file cannot be written");
    }
    // The stored time goes on through the handle that wrote the file, as the last thing
    // before it closes: the same times as setting them by path afterwards, one open fewer
    // for every entry. Its result does not matter.
    if (!problem) SetFileTimeFromDos(*output, info.dosDateTime);
  }
  if (!problem) return true;
  // Nothing of an entry that failed stays: a file cut short or unchecked would pass for
  // the member it should have been.
  platform::Files().DeleteFile(outputPath);
  return Fail(info.name, problem->cause);
}

}  // namespace vantrel
