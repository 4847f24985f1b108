// The settings store kept in a registry export file, for systems without a registry and
// for tests. The file is read afresh by every operation, as the registry would answer.
// Every change is a read-modify-write under a lock on a file beside it ("FILE.lock"), so
// concurrent changes from several processes all land; it writes the whole file under a
// temporary name of its own in the same folder, flushes it to the disk and then moves it
// over the old one, so a reader never sees half a file and a failed write leaves the
// earlier settings in place. A file that cannot be read whole is never written over. All
// file work goes through Files(), so the store behaves the same on every backend and
// tests can make its writes fail.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_helpers.h"
#include "platform/file_lock.h"
#include "platform/path.h"
#include "platform/registry_file_format.h"
#include "platform/settings_store.h"
#include "platform/system_error.h"

namespace vantrel::platform {
namespace {

// The root a key path names, or HKEY_LOCAL_MACHINE's when it names none; the file
// spells every key with its root, as an export does.
std::string_view RootOf(std::string_view key) {
  for (const std::string_view root : {kClassesRoot, kCurrentUser, kLocalMachine}) {
    if (key.size() > root.size() && NamesEqual(key.substr(0, root.size()), root)) return root;
  }
  return {};
}

// The key's path in the file, or nothing for a path with an empty component (a key
// name is never empty).
std::optional<std::string> FullKeyPath(std::string_view key) {
  const std::string_view root = RootOf(key);
  const std::string_view below = key.substr(root.size());
  if (below.empty() || below.front() == '\\' || below.back() == '\\' ||
      below.find("\\\\") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(root.empty() ? kLocalMachine : root) + std::string(below);
}

// Long enough for a hundred changes queued behind one another.
constexpr std::chrono::milliseconds kChangeWait{10'000};

// A name beside `path` that no other process writing the same file at the same time
// picks: a link planted at a fixed temporary name cannot redirect the write.
std::string TemporaryNameFor(const std::string& path) {
  std::random_device random;
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", static_cast<unsigned>(random()),
                static_cast<unsigned>(random()));
  return path + suffix;
}

class RegistryFileStore final : public SettingsStore {
 public:
  explicit RegistryFileStore(std::string path) : path_(std::move(path)) {}

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    const std::optional<Loaded> loaded = Load();
    if (!fullPath || !loaded) return std::nullopt;
    const RegistryKey* found = loaded->file.FindKey(*fullPath);
    if (found == nullptr) return std::nullopt;
    const RegistryValue* value = found->FindValue(name);
    if (value == nullptr || !value->isString) return std::nullopt;
    return value->data;
  }

  bool WriteString(std::string_view key, std::string_view name, std::string_view text) override {
    return Change(key, [&](RegistryFile& file, const std::string& fullPath) {
      if (!HasKey(file, key, fullPath)) return Edit::Refused;
      file.AddKey(fullPath).SetString(name, text);
      return Edit::Changed;
    });
  }

  bool WriteNumber(std::string_view key, std::string_view name, std::uint32_t number) override {
    return Change(key, [&](RegistryFile& file, const std::string& fullPath) {
      if (!HasKey(file, key, fullPath)) return Edit::Refused;
      file.AddKey(fullPath).SetNumber(name, number);
      return Edit::Changed;
    });
  }

  bool CreateKey(std::string_view key) override {
    return Change(key, [](RegistryFile& file, const std::string& fullPath) {
      // Every key on the way gets a section of its own, parents before children, as an
      // export of the tree would list them.
      bool added = false;
      const std::size_t rootSize = fullPath.find('\\') + 1;
      for (std::size_t end = rootSize; end != std::string::npos;) {
        end = fullPath.find('\\', end + 1);
        const std::string_view path = std::string_view(fullPath).substr(0, end);
        if (file.FindKey(path) == nullptr) {
          file.AddKey(path);
          added = true;
        }
      }
      return added ? Edit::Changed : Edit::Unchanged;
    });
  }

  bool DeleteKeyTree(std::string_view key) override {
    return Change(key, [key](RegistryFile& file, const std::string& fullPath) {
      if (file.RemoveTree(fullPath)) return Edit::Changed;
      FailKey(key, ErrorCode::NotFound, "no such key");
      return Edit::Refused;
    });
  }

  std::optional<Failure> WhyUnreadable() override {
    ClearLastFailure();
    if (Load()) return std::nullopt;
    return LastFailure().value_or(
        Failure{path_, MakeError(ErrorCode::Other, "the file cannot be read")});
  }

 private:
  // A write goes only into a key that is there, as the registry's does; a missing key is
  // recorded as the failure, with the key as its path.
  static bool HasKey(const RegistryFile& file, std::string_view key, const std::string& fullPath) {
    return file.HasKey(fullPath) || FailKey(key, ErrorCode::NotFound, "no such key");
  }

  static bool FailKey(std::string_view key, ErrorCode code, std::string text) {
    RecordFailure(Failure{std::string(key), MakeError(code, std::move(text))});
    return false;
  }

  struct Loaded {
    RegistryFile file;
    RegistryTextEncoding encoding = RegistryTextEncoding::Utf8;
  };

  // The file's keys: none when it does not exist, nothing at all when it exists but
  // cannot be read whole (then it must not be overwritten either).
  std::optional<Loaded> Load() const {
    const WholeFile whole = ReadWholeFile(path_);
    switch (whole.status) {
      case WholeFile::Status::Read:
        break;
      case WholeFile::Status::Missing:
        return Loaded{};
      case WholeFile::Status::Unreadable:
        return std::nullopt;
    }
    std::optional<RegistryText> text = DecodeRegistryText(whole.bytes);
    if (!text) {
      RecordFailure(
          Failure{path_, MakeError(ErrorCode::Damaged, "UTF-16 text with an odd number of bytes")});
      return std::nullopt;
    }
    ParsedRegistryFile parsed = ParseRegistryFile(text->text);
    if (parsed.damagedLine != 0) {
      RecordFailure(Failure{
          path_, MakeError(ErrorCode::Damaged,
                           "line " + std::to_string(parsed.damagedLine) + ": " + parsed.damage)});
      return std::nullopt;
    }
    return Loaded{std::move(parsed.file), text->encoding};
  }

  // What an edit did to the keys read.
  enum class Edit { Changed, Unchanged, Refused };

  // Reads the file, lets `edit` change its keys and writes them back, all under the
  // file's lock. True when the edit was done (or had nothing to change). An edit that
  // the file as it is now refuses, or that changes nothing, is decided before the lock
  // is taken, so that it writes nothing at all, not even the lock file.
  template <typename EditKeys>
  bool Change(std::string_view key, const EditKeys& edit) {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    if (!fullPath) return FailKey(key, ErrorCode::Other, "not a key path");
    if (path_.empty()) return FailKey({}, ErrorCode::NotFound, "no settings file is named");
    std::optional<Loaded> loaded = Load();
    if (!loaded) return false;
    switch (edit(loaded->file, *fullPath)) {
      case Edit::Changed:
        break;
      case Edit::Unchanged:
        return true;
      case Edit::Refused:
        return false;
    }
    const std::string folder(FolderPart(path_));
    if (!folder.empty() && folder.back() != ':' && !CreateFolders(folder)) return false;
    const FileLock lock = TakeFileLock(path_ + ".lock", kChangeWait);
    if (!lock) {
      RecordFailure(Failure{
          path_, MakeError(ErrorCode::InUse, "other changes of the settings kept it locked")});
      return false;
    }
    // Read again under the lock: another process may have changed the file meanwhile.
    loaded = Load();
    if (!loaded || edit(loaded->file, *fullPath) == Edit::Refused) return false;
    return ReplaceFileContent(
        path_, TemporaryNameFor(path_),
        EncodeRegistryText(FormatRegistryFile(loaded->file), loaded->encoding));
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<SettingsStore> OpenRegistryFileStore(std::string path) {
  return std::make_unique<RegistryFileStore>(std::move(path));
}

}  // namespace vantrel::platform
