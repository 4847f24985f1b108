// The file system on Windows: every path is checked against the 259-character limit,
// converted to UTF-16 and handed to the wide Win32 calls, which already match names
// without regard to case and search with wildcards. What the backend adds keeps Windows
// and Wine answering alike: read-only, hidden and folder targets are refused before a
// write (Wine leaves that to Unix permissions, which root ignores), a search keeps only
// long names that match, and a move onto the same file changes the letter case of its
// name.
#include "platform/file_system.h"

#include <algorithm>
#include <charconv>

#include "platform/path.h"
#include "platform/system_error.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {
namespace {

using win32::WidePath;

// Records why the call on `path` failed (a Win32 error code) and answers false, so that
// a failing branch reads `return Fail(path, GetLastError());`.
bool Fail(const std::string& path, DWORD error) {
  RecordFailure(Failure{path, ErrorFromWin32(error)});
  return false;
}

// The failure of a path that WidePath refused: over the limit, or not a name at all.
bool FailPath(const std::string& path) {
  return Fail(path, PathFitsLimit(path) ? ERROR_INVALID_NAME : ERROR_FILENAME_EXCED_RANGE);
}

// True when `attributes` (of an existing path, or INVALID_FILE_ATTRIBUTES for none) has
// one of `refused`. Windows refuses to write over a read-only file, to replace a hidden
// one or to put a file where a folder is; Wine leaves the first two to the Unix
// permissions, which do not hold for root, so the backend checks them itself and behaves
// the same everywhere.
bool HasAny(DWORD attributes, DWORD refused) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & refused) != 0;
}

constexpr DWORD kRefusedTargets =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY;

// A created file, a copy or a move never writes through a link or reparse point planted
// at its target's name: the link itself is deleted first. False (with the system's
// error) when it stays.
bool RemovePlantedLink(const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (!HasAny(attributes, FILE_ATTRIBUTE_REPARSE_POINT)) return true;
  return DeleteFileW(target.c_str()) != FALSE;
}

FILETIME ToFileTime(FileTime time) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

// A zero FILETIME is how Windows says that a time is not kept.
std::optional<FileTime> FromFileTime(const FILETIME& time) {
  const FileTime value = (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  if (value == 0) return std::nullopt;
  return value;
}

using win32::FileHandle;
using win32::FindHandle;

std::optional<FileTimes> ReadTimes(HANDLE handle) {
  FILETIME creation, lastAccess, lastWrite;
  if (!GetFileTime(handle, &creation, &lastAccess, &lastWrite)) return std::nullopt;
  return FileTimes{FromFileTime(creation), FromFileTime(lastAccess), FromFileTime(lastWrite)};
}

bool WriteTimes(HANDLE handle, const FileTimes& times) {
  // SetFileTime leaves a time alone when its pointer is null.
  FILETIME creation{}, lastAccess{}, lastWrite{};
  if (times.creation) creation = ToFileTime(*times.creation);
  if (times.lastAccess) lastAccess = ToFileTime(*times.lastAccess);
  if (times.lastWrite) lastWrite = ToFileTime(*times.lastWrite);
  return SetFileTime(handle, times.creation ? &creation : nullptr,
                     times.lastAccess ? &lastAccess : nullptr,
                     times.lastWrite ? &lastWrite : nullptr) != FALSE;
}

// Opens a file or folder by path only to read or set its times or identity; the backup
// semantics flag is what lets CreateFileW open a folder.
HANDLE OpenForAttributes(const std::wstring& path, DWORD access) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// True when both paths lead to one existing file, whatever their spelling.
bool SameFile(const std::wstring& first, const std::wstring& second) {
  const FileHandle a(OpenForAttributes(first, FILE_READ_ATTRIBUTES));
  const FileHandle b(OpenForAttributes(second, FILE_READ_ATTRIBUTES));
  BY_HANDLE_FILE_INFORMATION infoA, infoB;
  return a.valid() && b.valid() && GetFileInformationByHandle(a.get(), &infoA) &&
         GetFileInformationByHandle(b.get(), &infoB) &&
         infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
         infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
         infoA.nFileIndexLow == infoB.nFileIndexLow;
}

// Gives a file the spelling of `to`, a name that differs from its own in letter case
// only. Windows does this when a file is moved onto itself, but Wine finds the existing
// name and keeps it; moving through a free temporary name beside it works on both.
bool Respell(const std::wstring& source, const std::string& to) {
  const std::string_view folder = FolderPart(to);
  const std::string prefix = folder.empty() ? std::string("~") : std::string(folder) + "\\~";
  const auto target = WidePath(to);
  if (!target) return false;
  for (unsigned attempt = 0; attempt < 0x1000; ++attempt) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, attempt, 16).ptr;
    const auto temporary = WidePath(prefix + std::string(digits, end));
    if (!temporary) return false;
    if (!MoveFileExW(source.c_str(), temporary->c_str(), 0)) {
      const DWORD error = GetLastError();
      if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
      return false;
    }
    if (MoveFileExW(temporary->c_str(), target->c_str(), 0)) return true;
    // Put the file back under its old name rather than leave it under the temporary one.
    MoveFileExW(temporary->c_str(), source.c_str(), 0);
    return false;
  }
  return false;
}

class Win32File final : public File {
 public:
  Win32File(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}

  std::int64_t Read(void* buffer, std::size_t size) override {
    // ReadFile takes a 32-bit count; a larger request is answered in part, which the
    // contract of Read allows.
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    DWORD read = 0;
    if (!ReadFile(handle_.get(), buffer, wanted, &read, nullptr)) {
      Fail(path_, GetLastError());
      return -1;
    }
    return read;
  }

  bool Write(const void* data, std::size_t size) override {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
      const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
      DWORD written = 0;
      if (!WriteFile(handle_.get(), next, wanted, &written, nullptr)) {
        return Fail(path_, GetLastError());
      }
      // Nothing written without an error is how a full disk can answer.
      if (written == 0) return Fail(path_, ERROR_DISK_FULL);
      next += written;
      size -= written;
    }
    return true;
  }

  bool Seek(std::uint64_t offset) override {
    if (offset > static_cast<std::uint64_t>(INT64_MAX)) return Fail(path_, ERROR_NEGATIVE_SEEK);
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handle_.get(), distance, nullptr, FILE_BEGIN) != FALSE ||
           Fail(path_, GetLastError());
  }

  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_.get(), &size)) {
      Fail(path_, GetLastError());
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  bool SetTimes(const FileTimes& times) override {
    return WriteTimes(handle_.get(), times) || Fail(path_, GetLastError());
  }

  bool Flush() override {
    return FlushFileBuffers(handle_.get()) != FALSE || Fail(path_, GetLastError());
  }

  bool Reserve(std::uint64_t size) override {
    if (size > static_cast<std::uint64_t>(INT64_MAX)) return Fail(path_, ERROR_DISK_FULL);
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    if (SetFileInformationByHandle(handle_.get(), FileAllocationInfo, &allocation,
                                   sizeof allocation)) {
      return true;
    }
    // Only a full disk counts: a volume (or Wine) that cannot allocate ahead allocates as
    // the bytes are written.
    const DWORD error = GetLastError();
    if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) return true;
    return Fail(path_, error);
  }

 private:
  FileHandle handle_;
  std::string path_;  // as the caller named it, for the failures it records
};

// A folder on Windows is held by its path: CreateFileW has no form relative to an open
// folder, and the system matches letter case itself, so nothing is gained by a handle.
class Win32Folder final : public Folder {
 public:
  explicit Win32Folder(std::string path) : path_(std::move(path)) {}

  std::unique_ptr<File> CreateNewFile(const std::string& name) override {
    std::string path = Inside(name);
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return nullptr;
    }
    // CREATE_NEW: the name is new, and a file or link planted there since is an error
    // rather than something to write through.
    HANDLE handle = CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      Fail(path, GetLastError());
      return nullptr;
    }
    return std::make_unique<Win32File>(handle, std::move(path));
  }

  std::unique_ptr<Folder> CreateFolder(const std::string& name) override {
    std::string path = Inside(name);
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return nullptr;
    }
    if (!CreateDirectoryW(wide->c_str(), nullptr)) {
      Fail(path, GetLastError());
      return nullptr;
    }
    return std::make_unique<Win32Folder>(std::move(path));
  }

  bool DeleteFile(const std::string& name) override {
    const std::string path = Inside(name);
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return DeleteFileW(wide->c_str()) != FALSE || Fail(path, GetLastError());
  }

  bool RemoveFolder(const std::string& name) override {
    const std::string path = Inside(name);
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return RemoveDirectoryW(wide->c_str()) != FALSE || Fail(path, GetLastError());
  }

  const std::string& path() const override { return path_; }

 private:
  std::string Inside(const std::string& name) const {
    std::string path = path_;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path += name;
  }

  std::string path_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return nullptr;
    }
    // A file being read may be read by others too; a file being written is the
    // launcher's alone until it is closed, as its extraction and patching expect.
    HANDLE handle = INVALID_HANDLE_VALUE;
    switch (mode) {
      case OpenMode::Read:
        handle = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
      case OpenMode::ReadWrite:
        if (HasAny(GetFileAttributesW(wide->c_str()), FILE_ATTRIBUTE_READONLY)) {
          Fail(path, ERROR_ACCESS_DENIED);
          return nullptr;
        }
        handle = CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
      case OpenMode::CreateAlways:
        if (HasAny(GetFileAttributesW(wide->c_str()), kRefusedTargets)) {
          Fail(path, ERROR_ACCESS_DENIED);
          return nullptr;
        }
        // A file Vantrel creates never follows a link or reparse point planted at its
        // name: the link itself is deleted first. A plain file is emptied in place and
        // keeps the spelling of its name, as CREATE_ALWAYS does.
        if (!RemovePlantedLink(*wide)) {
          Fail(path, GetLastError());
          return nullptr;
        }
        handle = CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        break;
    }
    if (handle == INVALID_HANDLE_VALUE) {
      Fail(path, GetLastError());
      return nullptr;
    }
    return std::make_unique<Win32File>(handle, path);
  }

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return nullptr;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      Fail(path, GetLastError());
      return nullptr;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      Fail(path, ERROR_DIRECTORY);
      return nullptr;
    }
    return std::make_unique<Win32Folder>(path);
  }

  // Missing is an answer, not a failure; only a path that cannot be looked at is one.
  PathKind Kind(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return PathKind::Missing;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) Fail(path, error);
      return PathKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    const auto source = WidePath(from);
    if (!source) return FailPath(from);
    const auto target = WidePath(to);
    if (!target) return FailPath(to);
    if (HasAny(GetFileAttributesW(target->c_str()), kRefusedTargets)) {
      return Fail(to, ERROR_ACCESS_DENIED);
    }
    if (!RemovePlantedLink(*target)) return Fail(to, GetLastError());
    if (CopyFileW(source->c_str(), target->c_str(), FALSE)) return true;
    const DWORD error = GetLastError();
    return Fail(ErrorFromWin32(error).code == ErrorCode::NotFound &&
                        GetFileAttributesW(source->c_str()) == INVALID_FILE_ATTRIBUTES
                    ? from
                    : to,
                error);
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    const auto source = WidePath(from);
    if (!source) return FailPath(from);
    const auto target = WidePath(to);
    if (!target) return FailPath(to);
    // Only files are moved; MoveFileExW would take a folder along too.
    const DWORD sourceAttributes = GetFileAttributesW(source->c_str());
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES) return Fail(from, GetLastError());
    if ((sourceAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Fail(from, ERROR_ACCESS_DENIED);
    if (NamesEqual(FileNamePart(from), FileNamePart(to)) && SameFile(*source, *target)) {
      if (FileNamePart(from) == FileNamePart(to)) return true;
      return Respell(*source, to) || Fail(to, GetLastError());
    }
    // MoveFileExW would replace a read-only or hidden file without complaint; a move
    // refuses the same targets as a copy.
    if (HasAny(GetFileAttributesW(target->c_str()), kRefusedTargets)) {
      return Fail(to, ERROR_ACCESS_DENIED);
    }
    if (!RemovePlantedLink(*target)) return Fail(to, GetLastError());
    return MoveFileExW(source->c_str(), target->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE ||
           Fail(to, GetLastError());
  }

  bool DeleteFile(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return DeleteFileW(wide->c_str()) != FALSE || Fail(path, GetLastError());
  }

  bool CreateFolder(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return CreateDirectoryW(wide->c_str(), nullptr) != FALSE || Fail(path, GetLastError());
  }

  bool RemoveFolder(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return RemoveDirectoryW(wide->c_str()) != FALSE || Fail(path, GetLastError());
  }

  // Nothing found is an answer; a folder that cannot be searched is a failure.
  std::vector<FoundEntry> Find(const std::string& pattern) override {
    std::vector<FoundEntry> entries;
    const auto wide = WidePath(pattern);
    if (!wide) {
      FailPath(pattern);
      return entries;
    }
    // Windows also matches the wildcard against the short 8.3 names it keeps beside long
    // ones, so "*.tie" would find "b1m1.tie2" (short name "B1M1~1.TIE") on one volume and
    // not on another. Only the names the player sees count: each one found is matched
    // again against the pattern's last component.
    const std::string_view wildcard = FileNamePart(pattern);
    WIN32_FIND_DATAW data;
    const FindHandle search(FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
          error != ERROR_NO_MORE_FILES) {
        Fail(std::string(FolderPart(pattern)), error);
      }
      return entries;
    }
    do {
      std::string name = win32::Narrow(data.cFileName);
      if (!WildcardMatch(wildcard, name)) continue;
      entries.push_back({std::move(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &data));
    return entries;
  }

  std::optional<FileTimes> GetTimes(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) {
      FailPath(path);
      return std::nullopt;
    }
    const FileHandle handle(OpenForAttributes(*wide, FILE_READ_ATTRIBUTES));
    std::optional<FileTimes> times;
    if (handle.valid()) times = ReadTimes(handle.get());
    if (!times) Fail(path, GetLastError());
    return times;
  }

  bool SetTimes(const std::string& path, const FileTimes& times) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    const FileHandle handle(OpenForAttributes(*wide, FILE_WRITE_ATTRIBUTES));
    return (handle.valid() && WriteTimes(handle.get(), times)) || Fail(path, GetLastError());
  }

  bool SetReadOnly(const std::string& path, bool readOnly) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(path, GetLastError());
    // FILE_ATTRIBUTE_NORMAL is valid only alone: drop it before adding read-only, and
    // fall back to it when clearing read-only leaves nothing.
    attributes &= ~FILE_ATTRIBUTE_NORMAL;
    if (readOnly) {
      attributes |= FILE_ATTRIBUTE_READONLY;
    } else {
      attributes &= ~FILE_ATTRIBUTE_READONLY;
    }
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(wide->c_str(), attributes) != FALSE || Fail(path, GetLastError());
  }

  std::string CurrentFolder() override {
    // The folder may change between asking for its length and reading it; ask again
    // until the text fits.
    std::wstring buffer;
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    while (needed > 0) {
      buffer.resize(needed);
      const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
      if (length == 0) {
        Fail({}, GetLastError());
        return {};
      }
      if (length < needed) {
        buffer.resize(length);
        return win32::Narrow(buffer);
      }
      needed = length;
    }
    return {};
  }

  bool SetCurrentFolder(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) return FailPath(path);
    return SetCurrentDirectoryW(wide->c_str()) != FALSE || Fail(path, GetLastError());
  }

  std::optional<std::uint64_t> FreeSpace(const std::string& path) override {
    const auto wide = WidePath(path);
    ULARGE_INTEGER freeToCaller;
    if (!wide) {
      FailPath(path);
      return std::nullopt;
    }
    if (!GetDiskFreeSpaceExW(wide->c_str(), &freeToCaller, nullptr, nullptr)) {
      Fail(path, GetLastError());
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(freeToCaller.QuadPart);
  }
};

}  // namespace

FileSystem& NativeFileSystem() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

std::optional<FileTime> LocalDosDateTimeToFileTime(std::uint32_t dosDateTime) {
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16),
                             static_cast<WORD>(dosDateTime & 0xFFFFu), &local)) {
    return std::nullopt;
  }
  if (!LocalFileTimeToFileTime(&local, &utc)) return std::nullopt;
  return FromFileTime(utc);
}

std::optional<std::uint32_t> FileTimeToLocalDosDateTime(FileTime time) {
  const FILETIME utc = ToFileTime(time);
  FILETIME local;
  SYSTEMTIME fields;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &fields)) {
    return std::nullopt;
  }
  // Checked here rather than left to FileTimeToDosDateTime, which Wine lets wrap around.
  if (fields.wYear < 1980 || fields.wYear > 2107) return std::nullopt;
  const auto date =
      static_cast<std::uint32_t>((fields.wYear - 1980) << 9 | fields.wMonth << 5 | fields.wDay);
  const auto clock = static_cast<std::uint32_t>(fields.wHour << 11 | fields.wMinute << 5 |
                                                fields.wSecond / 2);
  return date << 16 | clock;
}

}  // namespace vantrel::platform
