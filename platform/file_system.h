// What the subsystems need of the file system: files opened by path, copy, move, delete,
// folders, the wildcard search and file times. Paths are UTF-8 in the launcher's form
// (backslash separators); the POSIX backend maps them onto its own file system and
// resolves every component without regard to letter case, as Windows and Wine do.
//
// The process uses one FileSystem at a time (`Files()`); tests may install a wrapper in
// its place that fails chosen calls, to reach the failure paths a healthy disk never shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/service.h"

namespace vantrel::platform {

// A point in time as Windows keeps it: 100-nanosecond ticks since 1601-01-01 UTC.
using FileTime = std::uint64_t;

struct FileTimes {
  // On reading, a time the system does not keep is empty. On writing, an empty time is
  // left as it was.
  std::optional<FileTime> creation;
  std::optional<FileTime> lastAccess;
  std::optional<FileTime> lastWrite;
};

enum class OpenMode {
  Read,          // an existing file, for reading
  ReadWrite,     // an existing file, for reading and writing; never created or emptied
  CreateAlways,  // created, or emptied if it exists; reading and writing
};

enum class PathKind { Missing, File, Folder };

// An open file. Closing happens when the object goes.
class File {
 public:
  virtual ~File() = default;
  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Reads up to `size` bytes at the current position: the count read, 0 at the end of the
  // file, or -1 on an error.
  virtual std::int64_t Read(void* buffer, std::size_t size) = 0;
  // Writes all `size` bytes at the current position; false if any could not be written.
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Moves the position to `offset` bytes from the start.
  virtual bool Seek(std::uint64_t offset) = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
  // Sets the file's times through the open handle.
  virtual bool SetTimes(const FileTimes& times) = 0;
  // Hands everything written so far to the disk, so that a rename after it never puts a
  // file in place whose bytes a power cut or a crash of the system could still lose.
  virtual bool Flush() = 0;
  // Makes room on the disk for `size` bytes from the start of the file before they are
  // written, so that a disk without that room fails here rather than midway and the file
  // lies in one piece; the file's length stays as it is. Where the system cannot make
  // room beforehand, the room is taken as the bytes come, and this answers true.
  virtual bool Reserve(std::uint64_t size) {
    (void)size;
    return true;
  }
};

// A folder held open, in which new files and folders are made by name alone: no lookup
// of the folder's path, and on POSIX no case-insensitive matching, because the caller
// knows the names are new (it made the folder itself, or found it empty). Calls may come
// from several threads at once; each one checks its whole path against the limit.
class Folder {
 public:
  virtual ~Folder() = default;
  Folder() = default;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // Creates the file `name` for writing; fails when something of that name exists.
  virtual std::unique_ptr<File> CreateNewFile(const std::string& name) = 0;
  // Creates the folder `name` and opens it; fails when something of that name exists.
  virtual std::unique_ptr<Folder> CreateFolder(const std::string& name) = 0;
  // Deletes the file `name`, or the folder `name` when it is empty.
  virtual bool DeleteFile(const std::string& name) = 0;
  virtual bool RemoveFolder(const std::string& name) = 0;
  // The folder's path, as it was named when it was opened or created.
  virtual const std::string& path() const = 0;
};

// One entry returned by a directory search.
struct FoundEntry {
  std::string name;
  bool isFolder = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Empty when the file cannot be opened in that mode, or the path is over the limit.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
  virtual PathKind Kind(const std::string& path) = 0;
  // Opens an existing folder, for making new files and folders in it.
  virtual std::unique_ptr<Folder> OpenFolder(const std::string& path) = 0;

  // Copies a file, replacing one of the same name; a read-only or hidden destination, or
  // a folder there, makes it fail. The copy keeps the source's last-write time.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
  // Moves a file, replacing one of the same name, under the same refusals as CopyFile.
  // Inside one volume this is a rename; across volumes a copy and a delete.
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // Moves the files `names` (spelt as a search of the folder returned them) from the
  // folder `fromFolder` into the folder `toFolder`, in that order, each as MoveFile would;
  // both folder paths end with a separator. The answer holds, for each name, whether its
  // file was moved. A backend may look at the two folders once for the whole call, so
  // nothing but this call may change them while it runs.
  virtual std::vector<bool> MoveFiles(const std::string& fromFolder,
                                      const std::vector<std::string>& names,
                                      const std::string& toFolder);
  // Deletes a file; a read-only file or a folder is refused.
  virtual bool DeleteFile(const std::string& path) = 0;

  // Creates one folder level; fails if the parent is missing or the name exists.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes a folder only if it is empty.
  virtual bool RemoveFolder(const std::string& path) = 0;

  // A non-recursive search with a wildcard in the last component ("C:\Temp\*.tie"), with
  // the results of FindFirstFile/FindNextFile: letter case ignored, "*.*" matching every
  // name, "." and ".." reported in folders other than a root, and names in NTFS order
  // (ordinal order of the upper-cased names). Empty when nothing matches or the folder is
  // missing.
  virtual std::vector<FoundEntry> Find(const std::string& pattern) = 0;

  virtual std::optional<FileTimes> GetTimes(const std::string& path) = 0;
  virtual bool SetTimes(const std::string& path, const FileTimes& times) = 0;

  // The read-only attribute (on POSIX: no write permission for anybody).
  virtual bool SetReadOnly(const std::string& path, bool readOnly) = 0;

  // Gives the file `to` the permissions of the file `from` (on POSIX its mode: who may
  // read it and run it), so that a copy of a program renamed into its place later still
  // runs. The read-only attribute is not taken: the copy stays writable, as a copy made
  // on Windows does. Windows keeps no other permission on a file, so there, and in file
  // systems made for tests, this does nothing.
  virtual bool CopyPermissions(const std::string& /*from*/, const std::string& /*to*/) {
    return true;
  }

  virtual std::string CurrentFolder() = 0;
  virtual bool SetCurrentFolder(const std::string& path) = 0;

  // Bytes this process may still write on the volume that holds `path` (an existing file
  // or folder); empty when the system cannot tell.
  virtual std::optional<std::uint64_t> FreeSpace(const std::string& path) = 0;
};

// The file system of this process: the native backend unless a test installed another
// (ScopedService<FileSystem>).
template <>
FileSystem& Service<FileSystem>::Default();
inline FileSystem& Files() { return Service<FileSystem>::Get(); }

// The native backend of this build (win32 or posix).
FileSystem& NativeFileSystem();

// True when the file can be opened for reading: the launcher's test of existence.
bool CanOpenForReading(const std::string& path);

// A DOS date and time (date in the high 16 bits) read as local time, in UTC.
std::optional<FileTime> LocalDosDateTimeToFileTime(std::uint32_t dosDateTime);

// The reverse: a time as the DOS date and time of the local clock, as ZIP archives store
// their entries' times (odd seconds go down to the even second before). Empty for a time
// before 1980 or after 2107, which the format cannot hold.
std::optional<std::uint32_t> FileTimeToLocalDosDateTime(FileTime time);

}  // namespace vantrel::platform
