// The file system on POSIX, made to answer as Windows does for the launcher: paths in
// the launcher's form resolved without regard to letter case (path_resolver_posix.h),
// read-only files refused as targets of a write, a copy, a move or a delete, hidden
// (dot) files refused as copy targets, and searches that return names in NTFS order.
// Read-only means that no write permission bit is set at all; the bits are checked here
// rather than left to the kernel, which lets root write anything.
#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <unordered_set>
#include <vector>

#include "platform/path.h"
#include "platform/posix/path_resolver_posix.h"
#include "platform/system_error.h"

namespace vantrel::platform {
namespace {

using posix::ChangeKind;
using posix::FolderChange;
using posix::LastComponent;
using posix::PathResolver;

// Seconds between 1601-01-01 (where Windows counts from) and 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10'000'000;

// Unpacked files and backups move through one buffer of this size where the kernel
// cannot copy by itself.
constexpr std::size_t kCopyBlock = 1 << 20;

FileTime ToFileTime(std::int64_t seconds, long nanoseconds) {
  if (seconds < -kEpochDifference) return 0;
  return static_cast<FileTime>(seconds + kEpochDifference) * kTicksPerSecond +
         static_cast<FileTime>(nanoseconds / 100);
}

timespec ToTimespec(const std::optional<FileTime>& time) {
  timespec result{};
  if (!time) {
    result.tv_nsec = UTIME_OMIT;
    return result;
  }
  result.tv_sec = static_cast<time_t>(static_cast<std::int64_t>(*time / kTicksPerSecond) -
                                      kEpochDifference);
  result.tv_nsec = static_cast<long>(*time % kTicksPerSecond) * 100;
  return result;
}

// Records why the call on `path` failed (an errno value) and answers false, so that a
// failing branch reads `return Fail(path, errno);`.
bool Fail(const std::string& path, int error) {
  RecordFailure(Failure{path, ErrorFromErrno(error)});
  return false;
}

// Why stat() of a native path fails, asked again on a failing branch only: the resolver
// may have answered from what it remembered, without errno.
int StatError(const std::string& nativePath) {
  struct stat status;
  if (stat(nativePath.c_str(), &status) == 0) return 0;
  return errno;
}

bool IsReadOnly(const struct stat& status) {
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Wine shows names that begin with a dot as hidden files, and Windows will not copy or
// move onto a hidden file.
bool IsHidden(const std::string& nativePath) {
  std::string_view name(nativePath);
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  name = name.substr(name.rfind('/') + 1);
  return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

std::string ParentOf(const std::string& nativePath) {
  std::string path = nativePath;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Owns a file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded: on some file systems a write
  // error only shows at close.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool CopyByBlocks(int from, int to) {
  std::vector<char> buffer(kCopyBlock);
  for (;;) {
    const ssize_t count = read(from, buffer.data(), buffer.size());
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(count))) return false;
  }
}

// Copies every byte of `from` (at its start) into `to` (empty, at its start).
bool CopyBytes(int from, int to, off_t sourceSize) {
#ifdef __linux__
  // The kernel copies (or shares the blocks) without the data passing through here.
  // Where it cannot, it says so before copying anything, and the plain copy takes over.
  bool copiedAny = false;
  for (;;) {
    const ssize_t count = copy_file_range(from, nullptr, to, nullptr, kCopyBlock * 64, 0);
    if (count > 0) {
      copiedAny = true;
      continue;
    }
    if (count == 0 && (copiedAny || sourceSize == 0)) return true;
    if (count < 0 && errno == EINTR) continue;
    // Nothing copied: no support for this pair of files (or a file system that reports
    // no data for files it cannot copy this way), so copy by hand from the start.
    if (!copiedAny) break;
    return false;
  }
#else
  (void)sourceSize;
#endif
  return CopyByBlocks(from, to);
}

class PosixFile final : public File {
 public:
  PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  std::int64_t Read(void* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t count = read(fd_.get(), buffer, size);
      if (count >= 0) return count;
      if (errno != EINTR) {
        Fail(path_, errno);
        return -1;
      }
    }
  }

  bool Write(const void* data, std::size_t size) override {
    return WriteAll(fd_.get(), static_cast<const char*>(data), size) || Fail(path_, errno);
  }

  bool Seek(std::uint64_t offset) override {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
      return Fail(path_, EINVAL);
    }
    return lseek(fd_.get(), static_cast<off_t>(offset), SEEK_SET) >= 0 || Fail(path_, errno);
  }

  std::optional<std::uint64_t> Size() override {
    struct stat status;
    if (fstat(fd_.get(), &status) != 0) {
      Fail(path_, errno);
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_size);
  }

  // The creation time cannot be set on Linux; it is left as it is.
  bool SetTimes(const FileTimes& times) override {
    const timespec values[2] = {ToTimespec(times.lastAccess), ToTimespec(times.lastWrite)};
    return futimens(fd_.get(), values) == 0 || Fail(path_, errno);
  }

  bool Flush() override { return fsync(fd_.get()) == 0 || Fail(path_, errno); }

  bool Reserve(std::uint64_t size) override {
#ifdef __linux__
    if (size == 0) return true;
    if (size > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
      return Fail(path_, EFBIG);
    }
    for (;;) {
      if (fallocate(fd_.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return true;
      if (errno == EINTR) continue;
      // A file system that cannot allocate ahead allocates as the bytes are written.
      if (errno == EOPNOTSUPP || errno == ENOSYS) return true;
      return Fail(path_, errno);
    }
#else
    (void)size;
    return true;
#endif
  }

 private:
  Descriptor fd_;
  std::string path_;  // as the caller named it, for the failures it records
};

// Records the failure of an open or a create and answers it: a path over the limit
// without an error of the system.
template <typename T = File>
std::unique_ptr<T> Refuse(const std::string& path, int error = ENAMETOOLONG) {
  Fail(path, error);
  return nullptr;
}

// The launcher's form of `name` inside the folder `folder`.
std::string Inside(const std::string& folder, const std::string& name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path += name;
}

// A folder open as a descriptor: files and folders are made relative to it (openat,
// mkdirat), so the kernel walks no path and nothing is looked up without regard to case.
class PosixFolder final : public Folder {
 public:
  PosixFolder(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  std::unique_ptr<File> CreateNewFile(const std::string& name) override {
    std::string path = Inside(path_, name);
    if (!PathFitsLimit(path)) return Refuse(path, ENAMETOOLONG);
    // Exclusive and not through a link: the name is new, and a file planted there since
    // is an error rather than something to write through.
    const int fd = openat(fd_.get(), name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return Refuse(path, errno);
    return std::make_unique<PosixFile>(fd, std::move(path));
  }

  std::unique_ptr<Folder> CreateFolder(const std::string& name) override {
    std::string path = Inside(path_, name);
    if (!PathFitsLimit(path)) return Refuse<Folder>(path, ENAMETOOLONG);
    if (mkdirat(fd_.get(), name.c_str(), 0777) != 0) return Refuse<Folder>(path, errno);
    const int fd = openat(fd_.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return Refuse<Folder>(path, errno);
    return std::make_unique<PosixFolder>(fd, std::move(path));
  }

  bool DeleteFile(const std::string& name) override {
    return unlinkat(fd_.get(), name.c_str(), 0) == 0 || Fail(Inside(path_, name), errno);
  }

  bool RemoveFolder(const std::string& name) override {
    return unlinkat(fd_.get(), name.c_str(), AT_REMOVEDIR) == 0 || Fail(Inside(path_, name), errno);
  }

  const std::string& path() const override { return path_; }

 private:
  Descriptor fd_;
  std::string path_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Refuse(path);
    struct stat status;
    const bool exists = resolver_.Stat(*native, status);
    if (exists && !S_ISREG(status.st_mode)) return Refuse(path, EISDIR);

    int fd = -1;
    int error = 0;
    switch (mode) {
      case OpenMode::Read:
        fd = open(native->c_str(), O_RDONLY | O_CLOEXEC);
        error = errno;
        break;
      case OpenMode::ReadWrite:
        if (!exists) return Refuse(path, ENOENT);
        if (IsReadOnly(status)) return Refuse(path, EACCES);
        fd = open(native->c_str(), O_RDWR | O_CLOEXEC);
        error = errno;
        break;
      case OpenMode::CreateAlways: {
        if (exists && IsReadOnly(status)) return Refuse(path, EACCES);
        // A file Vantrel creates never follows a link planted at its name (nor writes
        // through a second name of the file): whatever is there, a file, a link or a
        // link to nowhere, is removed and the file made new, exclusively.
        struct stat own;
        const bool present = lstat(native->c_str(), &own) == 0;
        const FolderChange change = resolver_.BeginChange(*native);
        if (present && unlink(native->c_str()) != 0 && errno != ENOENT) {
          error = errno;
          resolver_.EndChange(change, ChangeKind::Other, false);
          break;
        }
        fd = open(native->c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        error = errno;
        resolver_.EndChange(change,
                            !present  ? ChangeKind::Added
                            : fd >= 0 ? ChangeKind::Other
                                      : ChangeKind::Removed,
                            present || fd >= 0);
        break;
      }
    }
    if (fd < 0) return Refuse(path, error);
    auto file = std::make_unique<PosixFile>(fd, path);
    // The file may have been swapped for a folder between the check and the open.
    if (fstat(fd, &status) != 0) return Refuse(path, errno);
    if (!S_ISREG(status.st_mode)) return Refuse(path, EISDIR);
    return file;
  }

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Refuse<Folder>(path);
    const int fd = open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Refuse<Folder>(path, errno);
    // What is made in the folder from now on bypasses the resolver, which therefore
    // forgets what it knew of the folder's entries.
    resolver_.Forget(*native);
    return std::make_unique<PosixFolder>(fd, path);
  }

  // Missing is an answer, not a failure; only a path that cannot be looked at is one.
  PathKind Kind(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) {
      Fail(path, ENAMETOOLONG);
      return PathKind::Missing;
    }
    struct stat status;
    if (!resolver_.Stat(*native, status)) {
      const int error = StatError(*native);
      if (error != ENOENT && error != ENOTDIR && error != 0) Fail(path, error);
      return PathKind::Missing;
    }
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::File;
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    const std::optional<std::string> source = resolver_.Resolve(from);
    if (!source) return Fail(from, ENAMETOOLONG);
    const std::optional<std::string> target = resolver_.Resolve(to);
    if (!target) return Fail(to, ENAMETOOLONG);
    struct stat sourceStatus;
    if (!StatFile(from, *source, sourceStatus)) return false;
    struct stat targetStatus;
    const bool targetExists = resolver_.Stat(*target, targetStatus);
    if (targetExists && !AcceptsReplacement(to, *target, targetStatus)) return false;
    // Windows will not copy a file onto itself: the source is open when the target is
    // opened for writing.
    if (targetExists && SameFile(sourceStatus, targetStatus)) return Fail(to, EBUSY);
    return CopyInto(from, *source, sourceStatus, to, *target, targetExists);
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    const std::optional<std::string> source = resolver_.Resolve(from);
    if (!source) return Fail(from, ENAMETOOLONG);
    const std::optional<std::string> resolvedTarget = resolver_.Resolve(to);
    if (!resolvedTarget) return Fail(to, ENAMETOOLONG);
    struct stat sourceStatus;
    if (!StatFile(from, *source, sourceStatus)) return false;
    std::string target = *resolvedTarget;
    struct stat targetStatus;
    const bool targetExists = resolver_.Stat(target, targetStatus);
    if (targetExists && SameFile(sourceStatus, targetStatus)) {
      // A move onto the same file changes the letter case of its name, as on Windows:
      // the target was resolved to the existing name, so rename to the spelling given.
      target = ParentOf(target);
      if (target.back() != '/') target += '/';
      std::string wanted(FileNamePart(to));
      target += wanted;
      if (target == *source) return true;
    } else if (targetExists && !AcceptsReplacement(to, target, targetStatus)) {
      return false;
    }

    const FolderChange removal = resolver_.BeginChange(*source);
    const FolderChange addition = resolver_.BeginChange(target);
    const bool renamed = rename(source->c_str(), target.c_str()) == 0;
    const int error = errno;
    resolver_.EndChange(removal, ChangeKind::Removed, renamed);
    resolver_.EndChange(addition, ChangeKind::Added, renamed);
    if (renamed) return true;
    // The source was there a moment ago: what is missing is the target's folder.
    if (error != EXDEV) return Fail(to, error);

    // Another volume: copy, then delete the source. As on Windows, a source that cannot
    // be deleted stays behind and the move still counts as done.
    if (!CopyInto(from, *source, sourceStatus, to, target, targetExists)) return false;
    // The move is done whatever the delete says, so its failure is not the move's.
    const SavedFailure before;
    if (!Unlink(from, *source)) before.Restore();
    return true;
  }

  // Each folder is read once for the whole batch, so a file whose name is new in the
  // destination (in any letter case) goes into place with one rename relative to the two
  // open folders, with no lookup of its paths. The rename refuses to replace anything,
  // so a name that another program made meanwhile is not overwritten unseen. Every other
  // file (one to replace, a name over the limit, a source that is not a plain file, a
  // rename that fails) goes through MoveFile, which decides it as for a single file.
  std::vector<bool> MoveFiles(const std::string& fromFolder, const std::vector<std::string>& names,
                              const std::string& toFolder) override {
    const std::optional<std::string> source = resolver_.Resolve(fromFolder);
    const std::optional<std::string> target = resolver_.Resolve(toFolder);
    if (!source || !target) return FileSystem::MoveFiles(fromFolder, names, toFolder);
    const std::unique_ptr<DIR, int (*)(DIR*)> sourceDir(opendir(source->c_str()), closedir);
    const std::unique_ptr<DIR, int (*)(DIR*)> targetDir(opendir(target->c_str()), closedir);
    if (!sourceDir || !targetDir) return FileSystem::MoveFiles(fromFolder, names, toFolder);

    std::unordered_set<std::string> plainFiles;  // the source's regular files, as spelt
    while (const dirent* entry = readdir(sourceDir.get())) {
      if (entry->d_type == DT_REG) plainFiles.emplace(entry->d_name);
    }
    std::unordered_set<std::string> taken;  // the destination's names, upper-cased
    while (const dirent* entry = readdir(targetDir.get())) taken.insert(FoldCase(entry->d_name));

    std::vector<bool> moved;
    moved.reserve(names.size());
    bool renameInPlace = true;  // false once the folders prove to be on two volumes
    for (const std::string& name : names) {
      const std::string from = fromFolder + name;
      const std::string to = toFolder + name;
      std::string folded = FoldCase(name);
      const bool simple = renameInPlace && PathFitsLimit(from) && PathFitsLimit(to) &&
                          name.find_first_of("/\\") == std::string::npos &&
                          plainFiles.count(name) != 0 && taken.count(folded) == 0;
      bool done = simple && renameat2(dirfd(sourceDir.get()), name.c_str(),
                                      dirfd(targetDir.get()), name.c_str(), RENAME_NOREPLACE) == 0;
      // Across volumes, or where the file system cannot rename without replacing, every
      // file takes MoveFile's way.
      if (simple && !done && (errno == EXDEV || errno == EINVAL || errno == ENOSYS)) {
        renameInPlace = false;
      }
      if (!done) done = MoveFile(from, to);
      if (done) {
        plainFiles.erase(name);
        taken.insert(std::move(folded));
      }
      moved.push_back(done);
    }
    // The renames bypassed the resolver, which forgets what it knew of both folders.
    resolver_.Forget(*source);
    resolver_.Forget(*target);
    return moved;
  }

  bool DeleteFile(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    struct stat status;
    if (lstat(native->c_str(), &status) != 0) return Fail(path, errno);
    if (S_ISDIR(status.st_mode)) return Fail(path, EISDIR);
    if (S_ISREG(status.st_mode) && IsReadOnly(status)) return Fail(path, EACCES);
    return Unlink(path, *native);
  }

  bool CreateFolder(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    const FolderChange change = resolver_.BeginChange(*native);
    const bool created = mkdir(native->c_str(), 0777) == 0;
    const int error = errno;
    resolver_.EndChange(change, ChangeKind::Added, created);
    return created || Fail(path, error);
  }

  bool RemoveFolder(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    const FolderChange change = resolver_.BeginChange(*native);
    const bool removed = rmdir(native->c_str()) == 0;
    const int error = errno;
    resolver_.EndChange(change, ChangeKind::Removed, removed);
    return removed || Fail(path, error);
  }

  std::vector<FoundEntry> Find(const std::string& pattern) override {
    const std::optional<std::string> native = resolver_.Resolve(pattern, LastComponent::AsGiven);
    if (!native) {
      Fail(pattern, ENAMETOOLONG);
      return {};
    }
    const std::size_t slash = native->rfind('/');
    const std::string wildcard =
        slash == std::string::npos ? *native : native->substr(slash + 1);
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : native->substr(0, slash);
    if (wildcard.empty()) return {};
    return Search(pattern, folder, wildcard);
  }

  std::optional<FileTimes> GetTimes(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) {
      Fail(path, ENAMETOOLONG);
      return std::nullopt;
    }
    FileTimes times;
#ifdef STATX_BTIME
    struct statx extended;
    if (statx(AT_FDCWD, native->c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &extended) == 0) {
      const auto convert = [](const statx_timestamp& t) {
        return ToFileTime(t.tv_sec, static_cast<long>(t.tv_nsec));
      };
      times.lastAccess = convert(extended.stx_atime);
      times.lastWrite = convert(extended.stx_mtime);
      times.creation = (extended.stx_mask & STATX_BTIME) != 0 ? convert(extended.stx_btime)
                                                              : *times.lastWrite;
      return times;
    }
    if (errno != ENOSYS) {
      Fail(path, errno);
      return std::nullopt;
    }
#endif
    struct stat status;
    if (!resolver_.Stat(*native, status)) {
      Fail(path, StatError(*native));
      return std::nullopt;
    }
    times.lastAccess = ToFileTime(status.st_atim.tv_sec, status.st_atim.tv_nsec);
    times.lastWrite = ToFileTime(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
    times.creation = times.lastWrite;
    return times;
  }

  // The creation time cannot be set on Linux; it is left as it is.
  bool SetTimes(const std::string& path, const FileTimes& times) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    const timespec values[2] = {ToTimespec(times.lastAccess), ToTimespec(times.lastWrite)};
    return utimensat(AT_FDCWD, native->c_str(), values, 0) == 0 || Fail(path, errno);
  }

  bool SetReadOnly(const std::string& path, bool readOnly) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    struct stat status;
    if (!resolver_.Stat(*native, status)) return Fail(path, StatError(*native));
    const mode_t permissions = status.st_mode & 07777;
    const mode_t wanted =
        readOnly ? permissions & ~(S_IWUSR | S_IWGRP | S_IWOTH) : permissions | S_IWUSR;
    return chmod(native->c_str(), wanted) == 0 || Fail(path, errno);
  }

  bool CopyPermissions(const std::string& from, const std::string& to) override {
    const std::optional<std::string> source = resolver_.Resolve(from);
    if (!source) return Fail(from, ENAMETOOLONG);
    const std::optional<std::string> target = resolver_.Resolve(to);
    if (!target) return Fail(to, ENAMETOOLONG);
    struct stat status;
    if (!StatFile(from, *source, status)) return false;
    const mode_t wanted = (status.st_mode & 0777) | S_IWUSR;
    return chmod(target->c_str(), wanted) == 0 || Fail(to, errno);
  }

  std::string CurrentFolder() override {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
      if (getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
      if (errno != ERANGE) {
        Fail({}, errno);
        return {};
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool SetCurrentFolder(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    if (!native) return Fail(path, ENAMETOOLONG);
    return chdir(native->c_str()) == 0 || Fail(path, errno);
  }

  std::optional<std::uint64_t> FreeSpace(const std::string& path) override {
    const std::optional<std::string> native = resolver_.Resolve(path);
    struct statvfs volume;
    if (!native) {
      Fail(path, ENAMETOOLONG);
      return std::nullopt;
    }
    if (statvfs(native->c_str(), &volume) != 0) {
      Fail(path, errno);
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
  }

 private:
  static bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  }

  // The status of the source of a copy or move, which must be a file.
  bool StatFile(const std::string& path, const std::string& nativePath, struct stat& status) {
    if (!resolver_.Stat(nativePath, status)) return Fail(path, StatError(nativePath));
    return S_ISREG(status.st_mode) || Fail(path, EISDIR);
  }

  // What Windows refuses to overwrite: a folder, a read-only file, a hidden file. A
  // refusal is recorded as the system would give it.
  static bool AcceptsReplacement(const std::string& path, const std::string& nativePath,
                                 const struct stat& status) {
    if (S_ISDIR(status.st_mode)) return Fail(path, EISDIR);
    if (IsReadOnly(status) || IsHidden(nativePath)) return Fail(path, EACCES);
    return true;
  }

  bool Unlink(const std::string& path, const std::string& nativePath) {
    const FolderChange change = resolver_.BeginChange(nativePath);
    const bool removed = unlink(nativePath.c_str()) == 0;
    const int error = errno;
    resolver_.EndChange(change, ChangeKind::Removed, removed);
    return removed || Fail(path, error);
  }

  // Writes the copy under a temporary name beside the target and renames it into place,
  // so a copy that breaks off leaves an earlier target as it was. The copy takes the
  // source's permissions (Windows copies the read-only attribute) and last-write time.
  // A failure is recorded against the target, except that of reading the source.
  bool CopyInto(const std::string& from, const std::string& source,
                const struct stat& sourceStatus, const std::string& to,
                const std::string& target, bool targetExists) {
    Descriptor input(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.valid()) return Fail(from, errno);

    std::string folder = ParentOf(target);
    std::string temporary = folder + (folder.back() == '/' ? "" : "/") + ".vantrel-copy-XXXXXX";
    const FolderChange change = resolver_.BeginChange(target);
    Descriptor output(mkostemp(temporary.data(), O_CLOEXEC));
    if (!output.valid()) {
      const int error = errno;
      resolver_.EndChange(change, ChangeKind::Other, false);
      return Fail(to, error);
    }
    const timespec times[2] = {{0, UTIME_OMIT}, sourceStatus.st_mtim};
    bool copied = CopyBytes(input.get(), output.get(), sourceStatus.st_size) &&
                  fchmod(output.get(), sourceStatus.st_mode & 0777) == 0 &&
                  futimens(output.get(), times) == 0;
    int error = copied ? 0 : errno;
    if (!output.Close() && copied) {
      copied = false;
      error = errno;
    }
    if (copied && rename(temporary.c_str(), target.c_str()) != 0) {
      copied = false;
      error = errno;
    }
    if (!copied) unlink(temporary.c_str());
    resolver_.EndChange(change, targetExists ? ChangeKind::Other : ChangeKind::Added, copied);
    return copied || Fail(to, error);
  }

  // The entries of `folder` that match `wildcard`, "." and ".." first, then in the order
  // of their upper-cased names, as NTFS returns them.
  // A folder that is missing holds nothing to find; one that cannot be read is a failure.
  std::vector<FoundEntry> Search(const std::string& pattern, const std::string& folder,
                                 const std::string& wildcard) {
    struct stat folderStatus;
    struct stat rootStatus;
    if (!resolver_.Stat(folder, folderStatus) || !S_ISDIR(folderStatus.st_mode)) return {};
    // A root folder has no "." or ".." entries on Windows.
    const bool isRoot = resolver_.Stat("/", rootStatus) && SameFile(folderStatus, rootStatus);

    struct Match {
      int rank;  // 0 for ".", 1 for "..", 2 for every other name
      std::string folded;
      FoundEntry entry;
    };
    std::vector<Match> matches;
    DIR* raw = opendir(folder.c_str());
    if (raw == nullptr) {
      Fail(std::string(FolderPart(pattern)), errno);
      return {};
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(raw, closedir);
    while (const dirent* entry = readdir(dir.get())) {
      const std::string name(entry->d_name);
      const bool dots = name == "." || name == "..";
      if ((dots && isRoot) || !WildcardMatch(wildcard, name)) continue;
      bool isFolder = entry->d_type == DT_DIR;
      if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
        struct stat status;
        const std::string full = folder + (folder.back() == '/' ? "" : "/") + name;
        isFolder = resolver_.Stat(full, status) && S_ISDIR(status.st_mode);
      }
      matches.push_back(Match{name == "." ? 0 : name == ".." ? 1 : 2, FoldCase(name),
                              FoundEntry{name, isFolder}});
    }
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
      if (a.rank != b.rank) return a.rank < b.rank;
      if (a.folded != b.folded) return a.folded < b.folded;
      return a.entry.name < b.entry.name;
    });
    std::vector<FoundEntry> found;
    found.reserve(matches.size());
    for (Match& match : matches) found.push_back(std::move(match.entry));
    return found;
  }

  PathResolver resolver_;
};

}  // namespace

FileSystem& NativeFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

namespace {

std::optional<FileTime> ConvertLocalDosDateTime(std::uint32_t dosDateTime) {
  const unsigned date = dosDateTime >> 16;
  const unsigned time = dosDateTime & 0xFFFF;
  std::tm fields{};
  fields.tm_year = static_cast<int>((date >> 9) + 1980 - 1900);
  fields.tm_mon = static_cast<int>((date >> 5) & 0x0F) - 1;
  fields.tm_mday = static_cast<int>(date & 0x1F);
  fields.tm_hour = static_cast<int>(time >> 11);
  fields.tm_min = static_cast<int>((time >> 5) & 0x3F);
  fields.tm_sec = static_cast<int>((time & 0x1F) * 2);
  fields.tm_isdst = -1;  // whatever daylight saving time was in force on that day
  if (fields.tm_mon < 0 || fields.tm_mon > 11 || fields.tm_mday < 1 || fields.tm_hour > 23 ||
      fields.tm_min > 59 || fields.tm_sec > 59) {
    return std::nullopt;
  }
  const std::tm asGiven = fields;
  const time_t seconds = mktime(&fields);
  // mktime moves an impossible day (30 February) into the next month; Windows refuses it.
  if (seconds == static_cast<time_t>(-1) || fields.tm_mday != asGiven.tm_mday ||
      fields.tm_mon != asGiven.tm_mon) {
    return std::nullopt;
  }
  return ToFileTime(seconds, 0);
}

}  // namespace

std::optional<FileTime> LocalDosDateTimeToFileTime(std::uint32_t dosDateTime) {
  // A package's entries mostly share a handful of times, and each conversion makes the C
  // library look at the system's time zone file again; the last answer is kept for as
  // long as the time zone setting is the same, by each thread that converts.
  struct Conversion {
    std::uint32_t dosDateTime = 0;
    std::string zone;
    std::optional<FileTime> result;
    bool valid = false;
  };
  thread_local Conversion last;
  const char* zone = std::getenv("TZ");
  const std::string zoneText = zone != nullptr ? std::string("=") + zone : std::string();
  if (!last.valid || last.dosDateTime != dosDateTime || last.zone != zoneText) {
    last = {dosDateTime, zoneText, ConvertLocalDosDateTime(dosDateTime), true};
  }
  return last.result;
}

std::optional<std::uint32_t> FileTimeToLocalDosDateTime(FileTime time) {
  const auto seconds = static_cast<std::int64_t>(time / kTicksPerSecond) - kEpochDifference;
  if (seconds < 0) return std::nullopt;
  const auto unixSeconds = static_cast<time_t>(seconds);
  std::tm local{};
  if (localtime_r(&unixSeconds, &local) == nullptr) return std::nullopt;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return std::nullopt;
  const auto date =
      static_cast<std::uint32_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
  const auto clock =
      static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
  return date << 16 | clock;
}

}  // namespace vantrel::platform
