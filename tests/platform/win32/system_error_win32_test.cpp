// The translation of Win32 error codes: the portable code, the number, and the system's
// text on one line without the period Windows ends it with.
#include "platform/system_error.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/windows_api.h"

namespace vantrel::platform {
namespace {

TEST(ErrorFromWin32, TranslatesTheErrorsOfFilesIntoCodesAndOneLineOfText) {
  const std::pair<DWORD, ErrorCode> cases[] = {
      {ERROR_FILE_NOT_FOUND, ErrorCode::NotFound},
      {ERROR_PATH_NOT_FOUND, ErrorCode::NotFound},
      {ERROR_ACCESS_DENIED, ErrorCode::AccessDenied},
      {ERROR_ALREADY_EXISTS, ErrorCode::AlreadyExists},
      {ERROR_DISK_FULL, ErrorCode::DiskFull},
      {ERROR_WRITE_PROTECT, ErrorCode::ReadOnly},
      {ERROR_FILENAME_EXCED_RANGE, ErrorCode::NameTooLong},
      {ERROR_DIR_NOT_EMPTY, ErrorCode::NotEmpty},
      {ERROR_SHARING_VIOLATION, ErrorCode::InUse},
      {ERROR_CRC, ErrorCode::Damaged},
      {ERROR_INVALID_FUNCTION, ErrorCode::Other},
  };
  for (const auto& [code, expected] : cases) {
    SCOPED_TRACE(code);
    const SystemError error = ErrorFromWin32(code);
    EXPECT_EQ(error.code, expected);
    EXPECT_EQ(error.native, static_cast<int>(code));
    ASSERT_FALSE(error.text.empty());
    EXPECT_NE(error.text, "error " + std::to_string(code)) << "the system's own words";
    EXPECT_EQ(error.text.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(error.text.back(), '.');
    EXPECT_NE(error.text.back(), ' ');
  }
  EXPECT_FALSE(ErrorFromWin32(ERROR_SUCCESS));
}

}  // namespace
}  // namespace vantrel::platform
