// A file system for tests that passes every call to the native backend except those it
// was told to fail: by kind of operation, on the Nth call or from the Nth call on, only
// for paths that contain a given text; and files whose writes stop after a number of
// bytes, as on a full disk. A failed call touches nothing and answers as the backend
// answers a failure (nullptr, false, an empty list), recording the cause it was given
// ("Access denied" unless told otherwise; "Disk full" for a write past the limit) as the
// last failure, with the path. Calls may come from several threads at once, as from the
// workers of an extraction. Install it with ScopedFileSystem.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/system_error.h"

namespace vantrel::testing {

enum class FileOperation {
  Open,
  Kind,
  CopyFile,
  MoveFile,
  DeleteFile,
  CreateFolder,
  RemoveFolder,
  Find,
  GetTimes,
  SetTimes,
  SetReadOnly,
  CurrentFolder,
  SetCurrentFolder,
  // OpenFolder; the calls on an open folder count as Open (CreateNewFile), CreateFolder,
  // DeleteFile and RemoveFolder, with the path of the name inside it.
  OpenFolder,
  // Calls on files opened through this file system.
  FileRead,
  FileWrite,
  FileSeek,
  FileSize,
  FileSetTimes,
  FileReserve,
  FileFlush,  // the last: the counts of calls are sized by it
};

// The causes the fake records: fixed texts, the same on every system.
platform::SystemError AccessDenied();
platform::SystemError DiskFull();

class FaultyFileSystem final : public platform::FileSystem {
 public:
  // Over the native backend.
  FaultyFileSystem();
  // Over another file system, which must outlive this one and its open files.
  explicit FaultyFileSystem(platform::FileSystem& inner);
  ~FaultyFileSystem() override;

  // Makes the `nth` call of `operation` (counting from 1, from the moment of this call)
  // fail, once. With `pathPart`, only calls whose path (either path of a copy or move;
  // the file's path for file calls) contains that text, in any letter case, are counted.
  void FailNth(FileOperation operation, int nth, std::string_view pathPart = {},
               platform::SystemError cause = AccessDenied());
  // Makes the `nth` call and every later one fail.
  void FailFrom(FileOperation operation, int nth, std::string_view pathPart = {},
                platform::SystemError cause = AccessDenied());
  void FailAlways(FileOperation operation, std::string_view pathPart = {},
                  platform::SystemError cause = AccessDenied()) {
    FailFrom(operation, 1, pathPart, std::move(cause));
  }
  // Files opened for writing from now on whose path contains `pathPart` accept `bytes`
  // bytes in all; the write that would pass that writes what still fits and fails, and so
  // does every later one.
  void FailWritesAfter(std::uint64_t bytes, std::string_view pathPart = {});
  // From now on the free space of every path that contains `pathPart` is told as `bytes`,
  // whatever the volume holds: a full disk without filling one.
  void ReportFreeSpace(std::uint64_t bytes, std::string_view pathPart = {});
  // Forgets every failure asked for; the counts of calls stay.
  void Heal();

  // How many calls of `operation` were made, failed ones included.
  int Calls(FileOperation operation) const;

  std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode) override;
  platform::PathKind Kind(const std::string& path) override;
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  std::vector<platform::FoundEntry> Find(const std::string& pattern) override;
  std::optional<platform::FileTimes> GetTimes(const std::string& path) override;
  bool SetTimes(const std::string& path, const platform::FileTimes& times) override;
  bool SetReadOnly(const std::string& path, bool readOnly) override;
  std::string CurrentFolder() override;
  bool SetCurrentFolder(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& path) override;

  // What the failures are decided by; shared with the files this opened, which may
  // outlive it.
  struct Rules;

 private:
  platform::FileSystem& inner_;
  std::shared_ptr<Rules> rules_;
};

// Installs a file system for the lifetime of the object and puts the earlier one back.
using ScopedFileSystem = platform::ScopedService<platform::FileSystem>;

}  // namespace vantrel::testing
