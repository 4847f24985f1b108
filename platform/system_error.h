// Why a call of the system failed, in words the player can act on. Each backend reads
// the system's error once (errno, GetLastError) and translates it here into a portable
// code, kept together with the system's own number and text; the file system and the
// settings store record the last failure of the calling thread, with the path concerned,
// so that whoever makes the message can add its cause without every operation carrying
// one through its signature.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace vantrel::platform {

// The kinds of failure that callers tell apart; everything else is Other, and the
// system's text still says what it was.
enum class ErrorCode {
  None,
  NotFound,
  AccessDenied,
  AlreadyExists,
  DiskFull,
  ReadOnly,
  NameTooLong,
  IsFolder,
  NotEmpty,
  InUse,
  Damaged,
  Other,
};

// The system's error, translated in one place per backend.
struct SystemError {
  ErrorCode code = ErrorCode::None;
  int native = 0;    // errno or GetLastError(); 0 for errors of our own
  std::string text;  // the system's own text, e.g. "No such file or directory"
  explicit operator bool() const { return code != ErrorCode::None; }
};

// What failed and why.
struct Failure {
  std::string path;  // the file or folder concerned (launcher form), may be empty
  SystemError cause;
  // "PATH: TEXT", or TEXT alone without a path.
  std::string Describe() const;
};

// The last failure a FileSystem or settings-store call of this thread met; the backends
// record it on every failing call. Cleared by ClearLastFailure().
const std::optional<Failure>& LastFailure();
void RecordFailure(Failure failure);
void ClearLastFailure();
// The cause of this thread's last failure, or an error of our own saying `fallback`.
SystemError LastCause(std::string fallback);
// Gives back what this thread keeps of its last failure; a thread other than the main
// one calls it before it ends (the worker pool's threads do).
void ForgetThreadFailure();

// Keeps the last failure as it is when made, to put it back where a call's failure turns
// out to be an answer (a file that is simply not there) rather than a failure.
class SavedFailure {
 public:
  SavedFailure() : saved_(LastFailure()) {}
  void Restore() const;

 private:
  std::optional<Failure> saved_;
};

// One row of a backend's translation: the system's error number and what it means.
struct ErrorCodeRow {
  unsigned long native;
  ErrorCode code;
};
// The code a backend's table gives the number; numbers it does not hold are Other.
ErrorCode LookUpErrorCode(std::span<const ErrorCodeRow> table, unsigned long native);

// errno as the posix backend and portable code (the C library) meet it.
SystemError ErrorFromErrno(int error);
// GetLastError() and registry status codes; defined in the win32 build only.
SystemError ErrorFromWin32(unsigned long error);
// Errors of our own, which have no number of the system: a CRC mismatch, a size.
SystemError MakeError(ErrorCode code, std::string text);

}  // namespace vantrel::platform
