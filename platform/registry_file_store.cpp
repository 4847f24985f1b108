// The settings store kept in a registry export file, for systems without a registry and
// for tests. The file is read afresh by every operation, as the registry would answer,
// and every change writes the whole file beside the old one under a temporary name and
// then moves it over the old one, so a reader never sees half a file and a failed write
// leaves the earlier settings in place. All file work goes through Files(), so the store
// behaves the same on every backend and tests can make its writes fail.
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_helpers.h"
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

class RegistryFileStore final : public SettingsStore {
 public:
  explicit RegistryFileStore(std::string path) : path_(std::move(path)) {}

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    const std::optional<RegistryFile> file = Load();
    if (!fullPath || !file) return std::nullopt;
    const RegistryKey* found = file->FindKey(*fullPath);
    if (found == nullptr) return std::nullopt;
    const RegistryValue* value = found->FindValue(name);
    if (value == nullptr || !value->isString) return std::nullopt;
    return value->data;
  }

  bool WriteString(std::string_view key, std::string_view name, std::string_view text) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    std::optional<RegistryFile> file = Load();
    if (!fullPath) return RefuseKeyPath(key);
    if (!file || !HasKey(*file, key, *fullPath)) return false;
    file->AddKey(*fullPath).SetString(name, text);
    return Save(*file);
  }

  bool WriteNumber(std::string_view key, std::string_view name, std::uint32_t number) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    std::optional<RegistryFile> file = Load();
    if (!fullPath) return RefuseKeyPath(key);
    if (!file || !HasKey(*file, key, *fullPath)) return false;
    file->AddKey(*fullPath).SetNumber(name, number);
    return Save(*file);
  }

  bool CreateKey(std::string_view key) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    std::optional<RegistryFile> file = Load();
    if (!fullPath) return RefuseKeyPath(key);
    if (!file) return false;
    // Every key on the way gets a section of its own, parents before children, as an
    // export of the tree would list them.
    bool added = false;
    const std::size_t rootSize = fullPath->find('\\') + 1;
    for (std::size_t end = rootSize; end != std::string::npos;) {
      end = fullPath->find('\\', end + 1);
      const std::string_view path = std::string_view(*fullPath).substr(0, end);
      if (file->FindKey(path) == nullptr) {
        file->AddKey(path);
        added = true;
      }
    }
    return !added || Save(*file);
  }

  bool DeleteKeyTree(std::string_view key) override {
    const std::optional<std::string> fullPath = FullKeyPath(key);
    std::optional<RegistryFile> file = Load();
    if (!fullPath) return RefuseKeyPath(key);
    if (!file) return false;
    if (!file->RemoveTree(*fullPath)) return FailKey(key, ErrorCode::NotFound, "no such key");
    return Save(*file);
  }

 private:
  // A write goes only into a key that is there, as the registry's does; a missing key is
  // recorded as the failure, with the key as its path.
  static bool HasKey(const RegistryFile& file, std::string_view key, const std::string& fullPath) {
    return file.HasKey(fullPath) || FailKey(key, ErrorCode::NotFound, "no such key");
  }

  static bool RefuseKeyPath(std::string_view key) {
    return FailKey(key, ErrorCode::Other, "not a key path");
  }

  static bool FailKey(std::string_view key, ErrorCode code, std::string text) {
    RecordFailure(Failure{std::string(key), MakeError(code, std::move(text))});
    return false;
  }

  // The file's keys: none when it does not exist, nothing at all when it exists but
  // cannot be read (then it must not be overwritten either).
  std::optional<RegistryFile> Load() const {
    const WholeFile file = ReadWholeFile(path_);
    switch (file.status) {
      case WholeFile::Status::Read:
        return ParseRegistryFile(file.bytes);
      case WholeFile::Status::Missing:
        return RegistryFile{};
      case WholeFile::Status::Unreadable:
        break;
    }
    return std::nullopt;
  }

  bool Save(const RegistryFile& file) const {
    if (path_.empty()) return FailKey({}, ErrorCode::NotFound, "no settings file is named");
    const std::string folder(FolderPart(path_));
    if (!folder.empty() && folder.back() != ':' && !CreateFolders(folder)) return false;
    return ReplaceFileContent(path_, path_ + ".tmp", FormatRegistryFile(file));
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<SettingsStore> OpenRegistryFileStore(std::string path) {
  return std::make_unique<RegistryFileStore>(std::move(path));
}

}  // namespace vantrel::platform
