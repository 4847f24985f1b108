// The last failure of each thread, and the translation of errno. errno is the C
// library's on every system, so its translation stands here once; GetLastError's is in
// the win32 backend (win32/system_error_win32.cpp).
#include "platform/system_error.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace vantrel::platform {
namespace {

thread_local std::optional<Failure> lastFailure;

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

const std::optional<Failure>& LastFailure() { return lastFailure; }

void RecordFailure(Failure failure) { lastFailure = std::move(failure); }

void ClearLastFailure() { lastFailure.reset(); }

SystemError LastCause(std::string fallback) {
  if (lastFailure && lastFailure->cause) return lastFailure->cause;
  return MakeError(ErrorCode::Other, std::move(fallback));
}

void SavedFailure::Restore() const { lastFailure = saved_; }

SystemError ErrorFromErrno(int error) {
  if (error == 0) return {};
  return SystemError{CodeOfErrno(error), error, TextOfErrno(error)};
}

SystemError MakeError(ErrorCode code, std::string text) {
  return SystemError{code, 0, std::move(text)};
}

}  // namespace vantrel::platform
