// The one translation of Win32 error codes (GetLastError, and the status codes the
// registry functions return) into the portable codes; the text is the system's own,
// through FormatMessageW.
#include "platform/system_error.h"

#include "platform/win32/text_win32.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {
namespace {

constexpr ErrorCodeRow kWin32Codes[] = {
    {ERROR_FILE_NOT_FOUND, ErrorCode::NotFound},
    {ERROR_PATH_NOT_FOUND, ErrorCode::NotFound},
    {ERROR_INVALID_DRIVE, ErrorCode::NotFound},
    {ERROR_BAD_NETPATH, ErrorCode::NotFound},
    {ERROR_BAD_NET_NAME, ErrorCode::NotFound},
    {ERROR_MOD_NOT_FOUND, ErrorCode::NotFound},
    {ERROR_ACCESS_DENIED, ErrorCode::AccessDenied},
    {ERROR_PRIVILEGE_NOT_HELD, ErrorCode::AccessDenied},
    {ERROR_FILE_EXISTS, ErrorCode::AlreadyExists},
    {ERROR_ALREADY_EXISTS, ErrorCode::AlreadyExists},
    {ERROR_DISK_FULL, ErrorCode::DiskFull},
    {ERROR_HANDLE_DISK_FULL, ErrorCode::DiskFull},
    {ERROR_WRITE_PROTECT, ErrorCode::ReadOnly},
    {ERROR_FILENAME_EXCED_RANGE, ErrorCode::NameTooLong},
    {ERROR_BUFFER_OVERFLOW, ErrorCode::NameTooLong},
    {ERROR_DIR_NOT_EMPTY, ErrorCode::NotEmpty},
    {ERROR_SHARING_VIOLATION, ErrorCode::InUse},
    {ERROR_LOCK_VIOLATION, ErrorCode::InUse},
    {ERROR_BUSY, ErrorCode::InUse},
    {ERROR_CRC, ErrorCode::Damaged},
    {ERROR_FILE_CORRUPT, ErrorCode::Damaged},
    {ERROR_DISK_CORRUPT, ErrorCode::Damaged},
};

}  // namespace

SystemError ErrorFromWin32(unsigned long error) {
  if (error == ERROR_SUCCESS) return {};
  return SystemError{LookUpErrorCode(kWin32Codes, error), static_cast<int>(error),
                     win32::ErrorText(error)};
}

}  // namespace vantrel::platform
