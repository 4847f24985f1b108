// Writes battle packages: a ZIP archive built entry by entry through minizip's writer,
// over the platform file system, so an archive is created by a UTF-8 path on every
// system. Entry names are stored as the caller gives their bytes; the same entries with
// the same times give the same bytes on every run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace vantrel {

class PackageWriter {
 public:
  // Files are written through `files`: the process's file system unless a caller needs
  // another (tests build their fixtures on the native one whatever they install).
  explicit PackageWriter(platform::FileSystem& files = platform::Files());
  ~PackageWriter();
  PackageWriter(const PackageWriter&) = delete;
  PackageWriter& operator=(const PackageWriter&) = delete;

  // Creates the archive at `path`, replacing a file of that name. False when it cannot
  // be created or the path is over the limit.
  bool Create(const std::string& path);

  // An entry written in pieces: BeginEntry, Write as often as needed, EndEntry. The name
  // is stored as given (use '/' between folders); `deflate` off stores the bytes as they
  // are. `dosDateTime` holds the date in the high 16 bits.
  bool BeginEntry(std::string_view storedName, std::uint32_t dosDateTime, bool deflate = true);
  bool Write(const void* data, std::size_t size);
  bool EndEntry();

  // A whole entry at once.
  bool Add(std::string_view storedName, std::string_view bytes, std::uint32_t dosDateTime,
           bool deflate = true);
  // A folder entry: no data, the name ends with '/'.
  bool AddFolder(std::string_view storedName, std::uint32_t dosDateTime);

  // Writes the central directory and closes the file. True only when every entry and the
  // directory were written; after a failure anywhere the archive is incomplete.
  bool Finish();

  bool isOpen() const { return zip_ != nullptr; }

 private:
  platform::FileSystem& files_;
  void* zip_ = nullptr;  // minizip's zipFile
  bool entryOpen_ = false;
  bool failed_ = false;
};

}  // namespace vantrel
