// Locks between processes: the system's own lock on a file, held through an open handle,
// so the kernel releases it when the process ends, however it ends, and a crash never
// leaves a stale lock behind. Vantrel takes one on a file in the launcher folder for
// every load, play and pilot change (two at once would mix one battle into another), and
// one beside the settings file for each change of the settings.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

namespace vantrel::platform {

class FileLock {
 public:
  enum class State {
    Held,        // this process holds the lock until the object goes
    Busy,        // another holder kept it for the whole wait
    Unavailable, // the lock file can neither be made nor opened (a read-only folder);
                 // nobody else can take it either
  };

  // `native` is the backend's open lock file (a descriptor, a HANDLE), closed when the
  // object goes; kNoFile when there is none.
  static constexpr std::intptr_t kNoFile = -1;
  explicit FileLock(State state, std::intptr_t native = kNoFile) : state_(state), native_(native) {}
  FileLock(FileLock&& other) noexcept
      : state_(other.state_), native_(std::exchange(other.native_, kNoFile)) {}
  FileLock& operator=(FileLock&& other) noexcept {
    std::swap(state_, other.state_);
    std::swap(native_, other.native_);
    return *this;
  }
  ~FileLock();

  // Gives up the open lock file to the caller.
  std::intptr_t Release() { return std::exchange(native_, kNoFile); }

  State state() const { return state_; }
  // False only when somebody else holds the lock.
  explicit operator bool() const { return state_ != State::Busy; }

 private:
  State state_;
  std::intptr_t native_;
};

// Takes the lock on the file at `path` (the launcher's form of path; made when missing,
// never through a link at its name), trying again until `wait` has passed while another
// holder has it. Two takes in one process exclude each other as two processes do.
FileLock TakeFileLock(const std::string& path, std::chrono::milliseconds wait);

}  // namespace vantrel::platform
