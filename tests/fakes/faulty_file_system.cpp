// The failures are kept as rules that count the calls they apply to; every call asks the
// rules first and reaches the wrapped file system only when none of them fails it.
#include "tests/fakes/faulty_file_system.h"

#include <array>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/path.h"

namespace vantrel::testing {

using platform::File;
using platform::FileSystem;
using platform::FileTimes;
using platform::FoundEntry;
using platform::OpenMode;
using platform::PathKind;

struct FaultyFileSystem::Rules {
  struct Failure {
    FileOperation operation;
    std::string pathPart;  // folded; empty for every path
    int nth;
    bool persistent;
    platform::SystemError cause;
    int seen = 0;
  };
  struct WriteLimit {
    std::string pathPart;  // folded; empty for every path
    std::uint64_t bytes;
  };

  std::vector<Failure> failures;
  std::vector<WriteLimit> writeLimits;
  std::vector<WriteLimit> freeSpaces;  // the space told for paths that contain the part
  std::array<int, static_cast<std::size_t>(FileOperation::FileFlush) + 1> calls{};
  std::mutex lock;  // over the counts, for calls from several threads

  static bool Contains(std::string_view path, const std::string& foldedPart) {
    return foldedPart.empty() || platform::FoldCase(path).find(foldedPart) != std::string::npos;
  }

  // Counts the call and tells whether it is to fail; a failing call records its cause
  // with the path the rule matched.
  bool Fails(FileOperation operation, std::string_view path, std::string_view otherPath = {}) {
    const std::lock_guard<std::mutex> hold(lock);
    ++calls[static_cast<std::size_t>(operation)];
    bool fails = false;
    for (Failure& failure : failures) {
      if (failure.operation != operation) continue;
      const bool onPath = Contains(path, failure.pathPart);
      if (!onPath && (otherPath.empty() || !Contains(otherPath, failure.pathPart))) continue;
      ++failure.seen;
      if (failure.seen == failure.nth || (failure.persistent && failure.seen > failure.nth)) {
        fails = true;
        platform::RecordFailure({std::string(onPath ? path : otherPath), failure.cause});
      }
    }
    return fails;
  }

  static std::optional<std::uint64_t> Find(const std::vector<WriteLimit>& limits,
                                            std::string_view path) {
    for (const WriteLimit& limit : limits) {
      if (Contains(path, limit.pathPart)) return limit.bytes;
    }
    return std::nullopt;
  }

  std::optional<std::uint64_t> WriteLimitFor(std::string_view path) const {
    return Find(writeLimits, path);
  }
};

platform::SystemError AccessDenied() {
  return platform::MakeError(platform::ErrorCode::AccessDenied, "Access denied");
}

platform::SystemError DiskFull() {
  return platform::MakeError(platform::ErrorCode::DiskFull, "Disk full");
}

namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> inner, std::shared_ptr<FaultyFileSystem::Rules> rules,
             std::string path, std::optional<std::uint64_t> writeLimit)
      : inner_(std::move(inner)),
        rules_(std::move(rules)),
        path_(std::move(path)),
        remaining_(writeLimit) {}

  std::int64_t Read(void* buffer, std::size_t size) override {
    if (rules_->Fails(FileOperation::FileRead, path_)) return -1;
    return inner_->Read(buffer, size);
  }

  bool Write(const void* data, std::size_t size) override {
    if (rules_->Fails(FileOperation::FileWrite, path_)) return false;
    if (remaining_ && size > *remaining_) {
      // The disk fills up in the middle of this write: what fits is written.
      const auto fits = static_cast<std::size_t>(*remaining_);
      remaining_ = 0;
      if (fits > 0) inner_->Write(data, fits);
      platform::RecordFailure({path_, DiskFull()});
      return false;
    }
    if (remaining_) *remaining_ -= size;
    return inner_->Write(data, size);
  }

  bool Seek(std::uint64_t offset) override {
    if (rules_->Fails(FileOperation::FileSeek, path_)) return false;
    return inner_->Seek(offset);
  }

  std::optional<std::uint64_t> Size() override {
    if (rules_->Fails(FileOperation::FileSize, path_)) return std::nullopt;
    return inner_->Size();
  }

  bool SetTimes(const FileTimes& times) override {
    if (rules_->Fails(FileOperation::FileSetTimes, path_)) return false;
    return inner_->SetTimes(times);
  }

  bool Flush() override {
    if (rules_->Fails(FileOperation::FileFlush, path_)) return false;
    return inner_->Flush();
  }

  bool Reserve(std::uint64_t size) override {
    if (rules_->Fails(FileOperation::FileReserve, path_)) return false;
    return inner_->Reserve(size);
  }

 private:
  std::unique_ptr<File> inner_;
  std::shared_ptr<FaultyFileSystem::Rules> rules_;
  std::string path_;
  std::optional<std::uint64_t> remaining_;
};

// Files opened for writing whose path has a write limit stop there.
std::unique_ptr<File> Wrap(std::unique_ptr<File> file,
                           const std::shared_ptr<FaultyFileSystem::Rules>& rules,
                           const std::string& path, bool writing) {
  if (!file) return nullptr;
  const std::optional<std::uint64_t> limit = writing ? rules->WriteLimitFor(path) : std::nullopt;
  return std::make_unique<FaultyFile>(std::move(file), rules, path, limit);
}

class FaultyFolder final : public platform::Folder {
 public:
  FaultyFolder(std::unique_ptr<platform::Folder> inner,
               std::shared_ptr<FaultyFileSystem::Rules> rules)
      : inner_(std::move(inner)), rules_(std::move(rules)) {}

  std::unique_ptr<File> CreateNewFile(const std::string& name) override {
    const std::string path = Inside(name);
    if (rules_->Fails(FileOperation::Open, path)) return nullptr;
    return Wrap(inner_->CreateNewFile(name), rules_, path, true);
  }

  std::unique_ptr<platform::Folder> CreateFolder(const std::string& name) override {
    if (rules_->Fails(FileOperation::CreateFolder, Inside(name))) return nullptr;
    std::unique_ptr<platform::Folder> folder = inner_->CreateFolder(name);
    if (!folder) return nullptr;
    return std::make_unique<FaultyFolder>(std::move(folder), rules_);
  }

  bool DeleteFile(const std::string& name) override {
    return !rules_->Fails(FileOperation::DeleteFile, Inside(name)) && inner_->DeleteFile(name);
  }

  bool RemoveFolder(const std::string& name) override {
    return !rules_->Fails(FileOperation::RemoveFolder, Inside(name)) && inner_->RemoveFolder(name);
  }

  const std::string& path() const override { return inner_->path(); }

 private:
  std::string Inside(const std::string& name) const { return inner_->path() + "\\" + name; }

  std::unique_ptr<platform::Folder> inner_;
  std::shared_ptr<FaultyFileSystem::Rules> rules_;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem() : FaultyFileSystem(platform::NativeFileSystem()) {}

FaultyFileSystem::FaultyFileSystem(FileSystem& inner)
    : inner_(inner), rules_(std::make_shared<Rules>()) {}

FaultyFileSystem::~FaultyFileSystem() = default;

void FaultyFileSystem::FailNth(FileOperation operation, int nth, std::string_view pathPart,
                               platform::SystemError cause) {
  rules_->failures.push_back(
      Rules::Failure{operation, platform::FoldCase(pathPart), nth, false, std::move(cause)});
}

void FaultyFileSystem::FailFrom(FileOperation operation, int nth, std::string_view pathPart,
                                platform::SystemError cause) {
  rules_->failures.push_back(
      Rules::Failure{operation, platform::FoldCase(pathPart), nth, true, std::move(cause)});
}

void FaultyFileSystem::FailWritesAfter(std::uint64_t bytes, std::string_view pathPart) {
  rules_->writeLimits.push_back(Rules::WriteLimit{platform::FoldCase(pathPart), bytes});
}

void FaultyFileSystem::Heal() {
  rules_->failures.clear();
  rules_->writeLimits.clear();
  rules_->freeSpaces.clear();
}

int FaultyFileSystem::Calls(FileOperation operation) const {
  return rules_->calls[static_cast<std::size_t>(operation)];
}

std::unique_ptr<File> FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  if (rules_->Fails(FileOperation::Open, path)) return nullptr;
  return Wrap(inner_.Open(path, mode), rules_, path, mode != OpenMode::Read);
}

std::unique_ptr<platform::Folder> FaultyFileSystem::OpenFolder(const std::string& path) {
  if (rules_->Fails(FileOperation::OpenFolder, path)) return nullptr;
  std::unique_ptr<platform::Folder> folder = inner_.OpenFolder(path);
  if (!folder) return nullptr;
  return std::make_unique<FaultyFolder>(std::move(folder), rules_);
}

PathKind FaultyFileSystem::Kind(const std::string& path) {
  if (rules_->Fails(FileOperation::Kind, path)) return PathKind::Missing;
  return inner_.Kind(path);
}

bool FaultyFileSystem::CopyFile(const std::string& from, const std::string& to) {
  return !rules_->Fails(FileOperation::CopyFile, from, to) && inner_.CopyFile(from, to);
}

bool FaultyFileSystem::MoveFile(const std::string& from, const std::string& to) {
  return !rules_->Fails(FileOperation::MoveFile, from, to) && inner_.MoveFile(from, to);
}

bool FaultyFileSystem::DeleteFile(const std::string& path) {
  return !rules_->Fails(FileOperation::DeleteFile, path) && inner_.DeleteFile(path);
}

bool FaultyFileSystem::CreateFolder(const std::string& path) {
  return !rules_->Fails(FileOperation::CreateFolder, path) && inner_.CreateFolder(path);
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  return !rules_->Fails(FileOperation::RemoveFolder, path) && inner_.RemoveFolder(path);
}

std::vector<FoundEntry> FaultyFileSystem::Find(const std::string& pattern) {
  if (rules_->Fails(FileOperation::Find, pattern)) return {};
  return inner_.Find(pattern);
}

std::optional<FileTimes> FaultyFileSystem::GetTimes(const std::string& path) {
  if (rules_->Fails(FileOperation::GetTimes, path)) return std::nullopt;
  return inner_.GetTimes(path);
}

bool FaultyFileSystem::SetTimes(const std::string& path, const FileTimes& times) {
  return !rules_->Fails(FileOperation::SetTimes, path) && inner_.SetTimes(path, times);
}

bool FaultyFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  return !rules_->Fails(FileOperation::SetReadOnly, path) && inner_.SetReadOnly(path, readOnly);
}

std::string FaultyFileSystem::CurrentFolder() {
  if (rules_->Fails(FileOperation::CurrentFolder, {})) return {};
  return inner_.CurrentFolder();
}

bool FaultyFileSystem::SetCurrentFolder(const std::string& path) {
  return !rules_->Fails(FileOperation::SetCurrentFolder, path) && inner_.SetCurrentFolder(path);
}

void FaultyFileSystem::ReportFreeSpace(std::uint64_t bytes, std::string_view pathPart) {
  rules_->freeSpaces.insert(rules_->freeSpaces.begin(), {platform::FoldCase(pathPart), bytes});
}

std::optional<std::uint64_t> FaultyFileSystem::FreeSpace(const std::string& path) {
  if (const std::optional<std::uint64_t> told = Rules::Find(rules_->freeSpaces, path)) return told;
  return inner_.FreeSpace(path);
}

}  // namespace vantrel::testing
