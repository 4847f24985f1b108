// The package extraction layer: one ZIP archive open at a time, walked entry by entry
// through its central directory, each member written to disk through a fixed copy buffer
// with the date and time stored for it. Battle packages (.kzm) and the setup package are
// both read through it. It shows no messages: every operation answers true or false and
// the caller decides what to say.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/entry_data.h"
#include "platform/system_error.h"

namespace vantrel {

// What the layer knows of the current entry.
struct PackageEntryInfo {
  // Every '/' turned into '\'. Kept whole however long it is stored: a name cut short
  // could end in '\' and pass for a folder.
  std::string name;
  std::string comment;  // at most 256 characters
  std::uint32_t versionMadeBy = 0;
  std::uint32_t versionNeeded = 0;
  std::uint32_t flags = 0;
  std::uint32_t compressionMethod = 0;
  std::uint32_t dosDateTime = 0;  // date in the high 16 bits, time in the low 16 bits
  std::uint32_t crc = 0;
  // 64 bits, from the entry's zip64 fields where it has them: an entry of 4 GiB or more is
  // never taken for a small one.
  std::uint64_t compressedSize = 0;
  std::uint64_t uncompressedSize = 0;
  std::uint32_t internalAttributes = 0;
  std::uint32_t externalAttributes = 0;
  // The name ends with '\', or the attributes mark a folder: the MS-DOS directory bit,
  // or a Unix folder mode in their high 16 bits, as archivers that write no trailing
  // slash mark one.
  bool isFolder = false;

  EntryData data() const {
    return {flags, compressionMethod, crc, compressedSize, uncompressedSize};
  }
};

// Fills `info` from minizip's current entry of `zip` (an unzFile); false when the
// directory cannot be read there.
bool ReadCurrentEntryInfo(void* zip, PackageEntryInfo& info);

// One entry of the central directory as a walk of it found the entry.
struct DirectoryEntry {
  PackageEntryInfo info;
  std::uint64_t position = 0;  // where minizip finds it again (unzSetOffset64)
};

// The central directory, read once: its entries in order up to the first that cannot
// be read, if one cannot.
struct Directory {
  std::vector<DirectoryEntry> entries;
  bool readWhole = false;
};

class PackageArchive {
 public:
  // Each read from an entry asks for at most this much.
  static constexpr std::size_t kCopyBufferSize = 20480;

  PackageArchive();
  ~PackageArchive();
  PackageArchive(const PackageArchive&) = delete;
  PackageArchive& operator=(const PackageArchive&) = delete;

  // Closes any open archive, then opens `path`. The default destination folder becomes
  // the path without its extension (C:\Games\battle.kzm gives C:\Games\battle).
  bool OpenPackage(const std::string& path);
  // True when the archive closed cleanly; no archive is open afterwards either way, and
  // with none open it reports false.
  bool ClosePackage();

  // Extracts every entry into `folder`, stopping at the first entry in directory order
  // that fails. An archive without entries fails after the folder is created. An entry
  // that fails leaves no file behind; the entries before it stay, and nothing of the
  // entries after it. Into a folder that is empty (or new) the entries are unpacked on
  // every core at once; the files and their times are those of one entry after another.
  bool ExtractPackage(const std::string& folder, bool dropFolders);
  // Extracts the current entry into `folder`, or into the default destination folder when
  // none is given. A folder entry succeeds without writing; with dropFolders only the last
  // part of the name is used. Refused, before anything of the entry is written: names
  // that would leave the destination, output paths over 259 characters, encrypted
  // entries and methods other than stored and deflate. The data is checked as it is
  // written (declared size, whole deflate stream, CRC-32); data that fails the check is
  // deleted again.
  bool ExtractCurrentEntry(const std::optional<std::string>& folder, bool dropFolders);
  // Makes the entry at `index` current and extracts it as above.
  bool ExtractEntryAt(long index, const std::optional<std::string>& folder, bool dropFolders);

  // Entries in the central directory; 0 when no archive is open or it cannot be read.
  unsigned long GetEntryCount();
  // Moves to the first (next) entry; with an extension (without its dot, compared without
  // regard to case with the text after the name's last '.'), to the first (next) entry
  // that has it. An empty extension visits every entry.
  bool GoToFirstEntry(std::string_view extension = {});
  bool GoToNextEntry(std::string_view extension = {});
  bool GetCurrentEntryInfo(PackageEntryInfo& info);
  // Moves to the first entry whose whole name (with '\' between folders) is `name`,
  // compared without regard to case.
  bool GoToEntryNamed(std::string_view name);

  // Reads the current entry's data without writing anything, handing it to `sink` in
  // pieces of at most kCopyBufferSize bytes, with the same checks as an extraction;
  // empty when the data came whole.
  std::optional<EntryDataProblem> ReadCurrentEntry(
      const std::function<void(std::string_view)>& sink);

  // The sum of the sizes the directory declares for the entries that are files: what an
  // extraction of the whole package writes. Empty when the directory cannot be read.
  std::optional<std::uint64_t> DeclaredSize();

  // Why the latest extraction failed: the entry, as its name is shown ('\' between
  // folders), and the cause. Empty after one that succeeded.
  const std::optional<platform::Failure>& extractionFailure() const { return failure_; }

  bool isOpen() const { return archive_ != nullptr; }
  const std::string& defaultFolder() const { return defaultFolder_; }

 private:
  bool StepToNext();
  // ExtractPackage on every core, into a destination that exists; empty when the
  // package or the destination asks for one entry after another instead (a destination
  // that holds files already, names that meet in one file).
  std::optional<bool> ExtractInParallel(const std::string& destination, bool dropFolders);
  // The open archive's directory, walked on the first call; the current entry is
  // unknown afterwards.
  const Directory& ReadDirectory();
  bool EnsureFolder(const std::string& folder);
  bool ExtractTo(const std::string& destination, bool dropFolders);
  bool CopyCurrentEntryTo(const std::string& outputPath, const PackageEntryInfo& info);
  // Records why the current entry failed; answers false for the caller to return.
  bool Fail(std::string entry, platform::SystemError cause);
  // Records why the destination folder could not be made, as the file system said.
  bool FailFolder(const std::string& folder);

  // Closes an open archive: its current entry, then the archive.
  struct ArchiveCloser {
    void operator()(void* archive) const;
  };

  std::unique_ptr<void, ArchiveCloser> archive_;  // minizip's unzFile
  std::string path_;  // of the open archive, for the workers' own handles
  std::optional<Directory> directory_;
  std::string defaultFolder_;
  // Index of the current entry while it is known, so that extracting entries one after
  // another by index steps forward instead of walking from the first entry each time.
  std::optional<long> currentIndex_;
  // The folder most recently made sure of while this archive is open.
  std::string lastFolder_;
  std::optional<platform::Failure> failure_;
};

}  // namespace vantrel
