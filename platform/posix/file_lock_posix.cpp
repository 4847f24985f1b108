// File locks on POSIX: flock() on the lock file. A flock belongs to the open file and goes
// with its last descriptor, so it is released when the process ends in any way, and two
// opens in one process exclude each other as two processes do. The descriptor is not
// inherited by the programs Vantrel starts (a game must not keep the lock after us). The
// file is opened without following a link at its name.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/posix/path_resolver_posix.h"

namespace vantrel::platform {

FileLock::~FileLock() {
  if (native_ != kNoFile) close(static_cast<int>(native_));
}

FileLock TakeFileLock(const std::string& lockPath, std::chrono::milliseconds wait) {
  constexpr auto kRetry = std::chrono::milliseconds(50);
  posix::PathResolver resolver;
  const std::optional<std::string> path = resolver.Resolve(lockPath);
  if (!path) return FileLock(FileLock::State::Unavailable);
  int fd = open(path->c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  // A folder that this user may not write still lets an existing lock file be locked: a
  // read-only descriptor takes a flock as well.
  if (fd < 0) fd = open(path->c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return FileLock(FileLock::State::Unavailable);
  FileLock opened(FileLock::State::Unavailable, fd);

  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return FileLock(FileLock::State::Held, opened.Release());
    if (errno != EWOULDBLOCK && errno != EINTR) return FileLock(FileLock::State::Unavailable);
    if (std::chrono::steady_clock::now() >= deadline) return FileLock(FileLock::State::Busy);
    std::this_thread::sleep_for(kRetry);
  }
}

}  // namespace vantrel::platform
