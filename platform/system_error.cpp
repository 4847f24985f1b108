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

#if defined(__MINGW32__) && defined(__i386__)
// GCC's 32-bit MinGW runtime calls the destructor of a thread_local object with the
// wrong calling convention when its thread ends, which corrupts the heap (GCC bug
// 83562). There the record of each thread lives in a list of the process, reached
// through a plain pointer that needs no destructor; a thread that ends leaves its record
// (a few dozen bytes once cleared) behind.
std::optional<Failure>& ThreadFailure() {
  thread_local std::optional<Failure>* mine = nullptr;
  if (mine == nullptr) {
    static std::mutex lock;
    static std::list<std::optional<Failure>> records;
    const std::lock_guard<std::mutex> hold(lock);
    mine = &records.emplace_back();
  }
  return *mine;
}
#else
std::optional<Failure>& ThreadFailure() {
  thread_local std::optional<Failure> failure;
  return failure;
}
#endif

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

const std::optional<Failure>& LastFailure() { return ThreadFailure(); }

void RecordFailure(Failure failure) { ThreadFailure() = std::move(failure); }

void ClearLastFailure() { ThreadFailure().reset(); }

SystemError LastCause(std::string fallback) {
  if (const auto& failure = ThreadFailure(); failure && failure->cause) return failure->cause;
  return MakeError(ErrorCode::Other, std::move(fallback));
}

void SavedFailure::Restore() const { ThreadFailure() = saved_; }

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
