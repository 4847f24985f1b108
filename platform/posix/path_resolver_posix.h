// Turns a path in the launcher's form ("C:\Games\TIE\KZMISS\Battle.kzb", backslashes,
// any letter case) into the path of the file that Windows would open on this file system:
// separators become '/', and each component that does not exist as spelt is matched
// against its folder's entries without regard to letter case. The folder listings this
// needs are cached, so that a folder that fills with thousands of fresh names (a package
// being unpacked) is listed once rather than once per name. Several threads may resolve
// and change paths at once (each its own files); the caches are shared under one lock,
// which no system call on the path itself waits for.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <array>
#include <cstddef>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vantrel::platform::posix {

// What a resolved path's last component is allowed to be.
enum class LastComponent {
  Resolve,  // matched like every other component
  AsGiven,  // kept as spelt (the wildcard of a search)
};

// A change that this backend is about to make to one folder's entries, begun before the
// change and ended after it.
struct FolderChange {
  std::string folder;  // native folder path ("." for the current folder)
  std::string name;    // the entry added or removed
  bool cacheCurrent = false;
};

enum class ChangeKind { Added, Removed, Other };

class PathResolver {
 public:
  // The native path for `path`, or nothing when the path is longer than the launcher's
  // limit; that check is made here, once, for every operation of the backend. A path that
  // does not exist comes back with its missing components spelt as given.
  std::optional<std::string> Resolve(std::string_view path,
                                     LastComponent last = LastComponent::Resolve);

  // Brackets a change made by this backend to the entry `nativePath`, so that the folder's
  // cached listing follows the change instead of being read again.
  FolderChange BeginChange(const std::string& nativePath);
  void EndChange(const FolderChange& change, ChangeKind kind, bool succeeded);

  // Drops what is known of the folder `nativeFolder` and its entries, for a folder that
  // will change by other means than this backend's path operations.
  void Forget(const std::string& nativeFolder);

  // stat() of a native path; for a path that one of the latest lookups returned, what that
  // lookup learnt of it, so an operation does not ask the file system twice.
  bool Stat(const std::string& nativePath, struct stat& status);

 private:
  // What tells one state of a folder from another: any entry added, removed or renamed
  // moves the folder's modification and change times.
  struct FolderState {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    timespec changed{};
    off_t size = 0;
    bool operator==(const FolderState& other) const;
  };

  struct Listing {
    FolderState state;
    // Upper-cased name to the names on disk that fold to it (more than one only where
    // the file system holds names that differ in case alone).
    std::unordered_map<std::string, std::vector<std::string>> names;
  };

  using FolderId = std::pair<dev_t, ino_t>;

  std::optional<std::string> FindInFolder(const std::string& folder, std::string_view name);
  // With the lock held.
  Listing* CurrentListing(const std::string& folder);

  // What a lookup learnt of the path it returned: that it exists (with its status) or
  // that its folder holds no such name. Forgotten at every change this backend makes.
  struct Probe {
    std::string path;
    bool exists = false;
    struct stat status {};
  };
  void Remember(const std::string& path, bool exists, const struct stat* status);

  // Guards the listings and the probes; never held while another lock is taken.
  std::mutex mutex_;
  std::map<FolderId, Listing> listings_;
  std::array<Probe, 2> probes_;
  std::size_t nextProbe_ = 0;
};

}  // namespace vantrel::platform::posix
