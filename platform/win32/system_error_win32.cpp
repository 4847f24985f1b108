// The one translation of Win32 error codes (GetLastError, and the status codes the
// registry functions return) into the portable codes; the text is the system's own,
// through FormatMessageW.
#include "platform/system_error.h"

#include "platform/win32/text_win32.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {
namespace {

ErrorCode CodeOfWin32(unsigned long error) {
  switch (error) {
    case ERROR_SUCCESS:
      return ErrorCode::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_MOD_NOT_FOUND:
      return ErrorCode::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return ErrorCode::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return ErrorCode::AlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrorCode::DiskFull;
    case ERROR_WRITE_PROTECT:
      return ErrorCode::ReadOnly;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
      return ErrorCode::NameTooLong;
    case ERROR_DIR_NOT_EMPTY:
      return ErrorCode::NotEmpty;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
      return ErrorCode::InUse;
    case ERROR_CRC:
    case ERROR_FILE_CORRUPT:
    case ERROR_DISK_CORRUPT:
      return ErrorCode::Damaged;
    default:
      return ErrorCode::Other;
  }
}

}  // namespace

SystemError ErrorFromWin32(unsigned long error) {
  if (error == ERROR_SUCCESS) return {};
  return SystemError{CodeOfWin32(error), static_cast<int>(error), win32::ErrorText(error)};
}

}  // namespace vantrel::platform
