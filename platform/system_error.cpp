// The last failure of each thread, and the translation of errno. errno is the C
// library's on every system, so its translation stands here once; GetLastError's is in
// the win32 backend (win32/system_error_win32.cpp).
#include "platform/system_error.h"

#include <cerrno>
#include <cstring>
#include <list>
#include <mutex>
#include <string>
#include <utility>

namespace vantrel::platform {
namespace {

// Each thread's last failure lives in a slot of one list, found through a plain pointer
// of the thread's own. A thread_local object with a destructor would be simpler, but
// MinGW frees a thread's thread_local storage before it runs the destructors of what that
// storage holds, and the heap breaks when a worker thread that met a failure ends. A
// thread that ends gives its slot back with ForgetThreadFailure().
struct Slots {
  std::mutex lock;
  std::list<std::optional<Failure>> list;
};
Slots& AllSlots() {
  static Slots slots;
  return slots;
}
thread_local std::optional<Failure>* ownSlot = nullptr;

std::optional<Failure>& OwnSlot() {
  if (ownSlot == nullptr) {
    Slots& slots = AllSlots();
    const std::lock_guard lock(slots.lock);
    ownSlot = &slots.list.emplace_back();
  }
  return *ownSlot;
}

ErrorCode CodeOfErrno(int error) {
  switch (error) {
    case 0:
      return ErrorCode::None;
    case ENOENT:
    case ENOTDIR:
      return ErrorCode::NotFound;
    case EACCES:
    case EPERM:
      return ErrorCode::AccessDenied;
    case EEXIST:
      return ErrorCode::AlreadyExists;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ErrorCode::DiskFull;
    case EROFS:
      return ErrorCode::ReadOnly;
    case ENAMETOOLONG:
      return ErrorCode::NameTooLong;
    case EISDIR:
      return ErrorCode::IsFolder;
    case ENOTEMPTY:
      return ErrorCode::NotEmpty;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return ErrorCode::InUse;
    default:
      return ErrorCode::Other;
  }
}

// The C library's text for errno, read without the shared buffer of strerror, which
// another thread may be filling.
std::string TextOfErrno(int error) {
  char buffer[256] = {};
#if defined(_WIN32)
  if (strerror_s(buffer, sizeof buffer, error) != 0) buffer[0] = '\0';
  const char* text = buffer;
#elif defined(__GLIBC__) && defined(_GNU_SOURCE)
  const char* text = strerror_r(error, buffer, sizeof buffer);
#else
  if (strerror_r(error, buffer, sizeof buffer) != 0) buffer[0] = '\0';
  const char* text = buffer;
#endif
  if (text == nullptr || *text == '\0') return "error " + std::to_string(error);
  return text;
}

}  // namespace

std::string Failure::Describe() const {
  if (path.empty()) return cause.text;
  return path + ": " + cause.text;
}

const std::optional<Failure>& LastFailure() {
  static const std::optional<Failure> none;
  return ownSlot != nullptr ? *ownSlot : none;
}

void RecordFailure(Failure failure) { OwnSlot() = std::move(failure); }

void ClearLastFailure() {
  if (ownSlot != nullptr) ownSlot->reset();
}

void ForgetThreadFailure() {
  if (ownSlot == nullptr) return;
  Slots& slots = AllSlots();
  const std::lock_guard lock(slots.lock);
  slots.list.remove_if([](const std::optional<Failure>& slot) { return &slot == ownSlot; });
  ownSlot = nullptr;
}

void SavedFailure::Restore() const { OwnSlot() = saved_; }

SystemError ErrorFromErrno(int error) {
  if (error == 0) return {};
  return SystemError{CodeOfErrno(error), error, TextOfErrno(error)};
}

SystemError MakeError(ErrorCode code, std::string text) {
  return SystemError{code, 0, std::move(text)};
}

}  // namespace vantrel::platform
