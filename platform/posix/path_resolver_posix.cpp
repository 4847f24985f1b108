// Case-insensitive path resolution for the POSIX backend. The fast path is one stat() of
// the path as given; only a miss walks the components. A folder's listing is cached under
// its device and inode and trusted while the folder's times and size are those seen when
// it was listed; the backend's own creates, deletes and renames update the listing and
// take the folder's new times, so unpacking thousands of fresh names into one folder
// lists it once.
//
// A change made by another process is seen through the folder's times. Linux gives a
// folder a fresh, fine-grained modification time for a change that follows a stat() of
// it (which every lookup and every change here makes), so even a change within the same
// clock tick is noticed there. On a file system with coarse times, a change by another
// process within the tick of this backend's last change can go unseen until the folder
// changes again.
#include "platform/posix/path_resolver_posix.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "platform/path.h"

namespace vantrel::platform::posix {
namespace {

// Past this many folders every listing is dropped; a run of the launcher touches a few
// dozen, a long-lived test process perhaps a few thousand.
constexpr std::size_t kMaxCachedFolders = 4096;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void AppendComponent(std::string& path, std::string_view name) {
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
}

// The folder and the last component of a native path, trailing separators ignored.
std::pair<std::string, std::string> SplitNative(const std::string& nativePath) {
  std::string path = nativePath;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  if (slash == 0) return {"/", path.substr(1)};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

// The name among those on disk that a lookup picks when several differ in case alone:
// the ordinally smallest, so the choice does not depend on the folder's entry order.
const std::string& Preferred(const std::vector<std::string>& names) {
  return *std::min_element(names.begin(), names.end());
}

}  // namespace

bool PathResolver::FolderState::operator==(const FolderState& other) const {
  return device == other.device && inode == other.inode && SameTime(modified, other.modified) &&
         SameTime(changed, other.changed) && size == other.size;
}

std::optional<std::string> PathResolver::Resolve(std::string_view path, LastComponent last) {
  if (!PathFitsLimit(path)) return std::nullopt;

  std::string mapped(path);
  std::replace(mapped.begin(), mapped.end(), '\\', '/');
  struct stat status;
  if (mapped.empty()) return mapped;
  if (last == LastComponent::Resolve && lstat(mapped.c_str(), &status) == 0) {
    Remember(mapped, true, S_ISLNK(status.st_mode) ? nullptr : &status);
    return mapped;
  }

  std::vector<std::string_view> parts;
  std::string_view rest(mapped);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (!part.empty()) parts.push_back(part);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }

  // Most misses are a file about to be created in a folder that exists as spelt: the
  // longest leading run of components that exists exactly is found from the end, so only
  // what follows it is matched against folder listings.
  const std::string root = mapped.front() == '/' ? "/" : "";
  std::string resolved = root;
  std::size_t start = 0;
  for (std::size_t count = parts.empty() ? 0 : parts.size() - 1; count > 0; --count) {
    std::string prefix = root;
    for (std::size_t i = 0; i < count; ++i) AppendComponent(prefix, parts[i]);
    if (lstat(prefix.c_str(), &status) == 0) {
      resolved = std::move(prefix);
      start = count;
      break;
    }
  }
  for (std::size_t i = start; i < parts.size(); ++i) {
    const std::string_view part = parts[i];
    const bool keepSpelling = (i + 1 == parts.size() && last == LastComponent::AsGiven) ||
                              part == "." || part == "..";
    std::string exact = resolved;
    AppendComponent(exact, part);
    // The whole path as spelt was looked for first, so its last component is known not to
    // exist as spelt once the folders before it do.
    const bool knownMissing = i + 1 == parts.size() && last == LastComponent::Resolve &&
                              i == start;
    if (keepSpelling || (!knownMissing && lstat(exact.c_str(), &status) == 0)) {
      resolved = std::move(exact);
      continue;
    }
    const std::optional<std::string> actual = FindInFolder(resolved.empty() ? "." : resolved, part);
    if (!actual) {
      // Nothing of that name: this and every later component keep the given spelling,
      // so a file about to be created gets the name the caller chose.
      for (std::size_t j = i; j < parts.size(); ++j) AppendComponent(resolved, parts[j]);
      if (mapped.back() == '/') resolved += '/';
      Remember(resolved, false, nullptr);
      return resolved;
    }
    AppendComponent(resolved, *actual);
  }
  if (mapped.back() == '/' && resolved.back() != '/') resolved += '/';
  // Found through listings, or ending in a wildcard: nothing is known of its status.
  Remember(resolved, true, nullptr);
  return resolved;
}

void PathResolver::Remember(const std::string& path, bool exists, const struct stat* status) {
  const std::lock_guard lock(mutex_);
  for (Probe& probe : probes_) {
    if (probe.path == path) probe.path.clear();
  }
  // A path that exists but whose status is not known (a link) is not remembered.
  if (exists && status == nullptr) return;
  Probe& probe = probes_[nextProbe_];
  nextProbe_ = (nextProbe_ + 1) % probes_.size();
  probe.path = path;
  probe.exists = exists;
  if (status != nullptr) probe.status = *status;
}

bool PathResolver::Stat(const std::string& nativePath, struct stat& status) {
  {
    const std::lock_guard lock(mutex_);
    for (const Probe& probe : probes_) {
      if (!probe.path.empty() && probe.path == nativePath) {
        if (probe.exists) status = probe.status;
        return probe.exists;
      }
    }
  }
  return stat(nativePath.c_str(), &status) == 0;
}

PathResolver::Listing* PathResolver::CurrentListing(const std::string& folder) {
  struct stat status;
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return nullptr;
  const FolderState state{status.st_dev, status.st_ino, status.st_mtim, status.st_ctim,
                          status.st_size};
  const FolderId id{status.st_dev, status.st_ino};
  auto found = listings_.find(id);
  if (found != listings_.end() && found->second.state == state) return &found->second;

  // The state is taken before the entries are read: a change while they are read makes
  // the next lookup see a different state and read them again.
  DirHandle dir(opendir(folder.c_str()));
  if (!dir) return nullptr;
  Listing listing;
  listing.state = state;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    listing.names[FoldCase(name)].emplace_back(name);
  }
  if (found != listings_.end()) {
    found->second = std::move(listing);
    return &found->second;
  }
  if (listings_.size() >= kMaxCachedFolders) listings_.clear();
  return &listings_.emplace(id, std::move(listing)).first->second;
}

std::optional<std::string> PathResolver::FindInFolder(const std::string& folder,
                                                      std::string_view name) {
  const std::lock_guard lock(mutex_);
  const Listing* listing = CurrentListing(folder);
  if (listing == nullptr) return std::nullopt;
  const auto found = listing->names.find(FoldCase(name));
  if (found == listing->names.end()) return std::nullopt;
  return Preferred(found->second);
}

void PathResolver::Forget(const std::string& nativeFolder) {
  struct stat status;
  const bool found = stat(nativeFolder.c_str(), &status) == 0;
  const std::lock_guard lock(mutex_);
  for (Probe& probe : probes_) probe.path.clear();
  if (found) listings_.erase(FolderId{status.st_dev, status.st_ino});
}

FolderChange PathResolver::BeginChange(const std::string& nativePath) {
  const std::lock_guard lock(mutex_);
  for (Probe& probe : probes_) probe.path.clear();
  auto [folder, name] = SplitNative(nativePath);
  FolderChange change{std::move(folder), std::move(name), false};
  struct stat status;
  if (stat(change.folder.c_str(), &status) == 0) {
    const auto found = listings_.find(FolderId{status.st_dev, status.st_ino});
    change.cacheCurrent =
        found != listings_.end() &&
        found->second.state == FolderState{status.st_dev, status.st_ino, status.st_mtim,
                                           status.st_ctim, status.st_size};
  }
  return change;
}

void PathResolver::EndChange(const FolderChange& change, ChangeKind kind, bool succeeded) {
  const std::lock_guard lock(mutex_);
  for (Probe& probe : probes_) probe.path.clear();
  struct stat status;
  if (stat(change.folder.c_str(), &status) != 0) return;
  const auto found = listings_.find(FolderId{status.st_dev, status.st_ino});
  if (found == listings_.end()) return;
  if (!change.cacheCurrent) {
    // The folder had changed behind the cache before this change began; it is read
    // again at the next lookup.
    listings_.erase(found);
    return;
  }
  // Another thread's change to the same folder may have ended in between and taken the
  // folder's times with this change in them; each change adds its own name at its end,
  // so the listing is whole again once every change under way has ended.
  Listing& listing = found->second;
  if (succeeded && kind == ChangeKind::Added) {
    std::vector<std::string>& names = listing.names[FoldCase(change.name)];
    if (std::find(names.begin(), names.end(), change.name) == names.end()) {
      names.push_back(change.name);
    }
  } else if (succeeded && kind == ChangeKind::Removed) {
    const auto folded = listing.names.find(FoldCase(change.name));
    if (folded != listing.names.end()) {
      std::vector<std::string>& names = folded->second;
      names.erase(std::remove(names.begin(), names.end(), change.name), names.end());
      if (names.empty()) listing.names.erase(folded);
    }
  }
  listing.state = FolderState{status.st_dev, status.st_ino, status.st_mtim, status.st_ctim,
                              status.st_size};
}

}  // namespace vantrel::platform::posix
