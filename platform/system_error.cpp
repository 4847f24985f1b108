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

// What errno's numbers mean; ENOTDIR, a file where the path needs a folder, is as good
// as a missing folder to the player.
constexpr ErrorCodeRow kErrnoCodes[] = {
    {ENOENT, ErrorCode::NotFound},
    {ENOTDIR, ErrorCode::NotFound},
    {EACCES, ErrorCode::AccessDenied},
    {EPERM, ErrorCode::AccessDenied},
    {EEXIST, ErrorCode::AlreadyExists},
    {ENOSPC, ErrorCode::DiskFull},
#ifdef EDQUOT
    {EDQUOT, ErrorCode::DiskFull},
#endif
    {EROFS, ErrorCode::ReadOnly},
    {ENAMETOOLONG, ErrorCode::NameTooLong},
    {EISDIR, ErrorCode::IsFolder},
    {ENOTEMPTY, ErrorCode::NotEmpty},
    {EBUSY, ErrorCode::InUse},
#ifdef ETXTBSY
    {ETXTBSY, ErrorCode::InUse},
#endif
};

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

SystemError LastCause(std::string fallback) {
  if (const auto& failure = LastFailure(); failure && failure->cause) return failure->cause;
  return MakeError(ErrorCode::Other, std::move(fallback));
}

void SavedFailure::Restore() const { OwnSlot() = saved_; }

ErrorCode LookUpErrorCode(std::span<const ErrorCodeRow> table, unsigned long native) {
  for (const ErrorCodeRow& row : table) {
    if (row.native == native) return row.code;
  }
  return ErrorCode::Other;
}

SystemError ErrorFromErrno(int error) {
  if (error == 0) return {};
  const ErrorCode code = LookUpErrorCode(kErrnoCodes, static_cast<unsigned long>(error));
  return SystemError{code, error, TextOfErrno(error)};
}

SystemError MakeError(ErrorCode code, std::string text) {
  return SystemError{code, 0, std::move(text)};
}

}  // namespace vantrel::platform
