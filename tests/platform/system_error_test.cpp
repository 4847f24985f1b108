// The translation of errno into the portable codes and the system's text, and the last
// failure that the file system records with the path it concerns.
#include "platform/system_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

TEST(ErrorFromErrno, TranslatesTheErrorsOfFilesIntoCodesAndTheSystemsText) {
  struct Case {
    int error;
    ErrorCode code;
    const char* text;  // glibc's; other C libraries word some of them differently
  };
  const Case cases[] = {
      {ENOENT, ErrorCode::NotFound, "No such file or directory"},
      {ENOTDIR, ErrorCode::NotFound, "Not a directory"},
      {EACCES, ErrorCode::AccessDenied, "Permission denied"},
      {EPERM, ErrorCode::AccessDenied, "Operation not permitted"},
      {EEXIST, ErrorCode::AlreadyExists, "File exists"},
      {ENOSPC, ErrorCode::DiskFull, "No space left on device"},
      {EROFS, ErrorCode::ReadOnly, "Read-only file system"},
      {ENAMETOOLONG, ErrorCode::NameTooLong, "File name too long"},
      {EISDIR, ErrorCode::IsFolder, "Is a directory"},
      {ENOTEMPTY, ErrorCode::NotEmpty, "Directory not empty"},
      {EBUSY, ErrorCode::InUse, "Device or resource busy"},
      {EIO, ErrorCode::Other, "Input/output error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const SystemError error = ErrorFromErrno(c.error);
    EXPECT_EQ(error.code, c.code);
    EXPECT_EQ(error.native, c.error);
    EXPECT_TRUE(error);
#ifdef __GLIBC__
    EXPECT_EQ(error.text, c.text);
#else
    EXPECT_FALSE(error.text.empty());
#endif
  }
  EXPECT_FALSE(ErrorFromErrno(0));
}

TEST(Failure, DescribesThePathAndTheCauseOrTheCauseAlone) {
  const SystemError full = MakeError(ErrorCode::DiskFull, "Disk full");
  EXPECT_EQ((Failure{"C:\\TIE\\MISSIONS\\M1.tie", full}.Describe()),
            "C:\\TIE\\MISSIONS\\M1.tie: Disk full");
  EXPECT_EQ((Failure{"", full}.Describe()), "Disk full");
  EXPECT_EQ(full.native, 0);
}

TEST(LastFailure, HoldsTheFailureOfAnOpenOfAMissingFileWithItsPath) {
  testing::TempFolder temp;
  const std::string missing = temp.Path("absent.kzm");
  ClearLastFailure();
  ASSERT_FALSE(LastFailure());

  EXPECT_EQ(NativeFileSystem().Open(missing, OpenMode::Read), nullptr);
  ASSERT_TRUE(LastFailure());
  EXPECT_EQ(LastFailure()->path, missing);
  EXPECT_EQ(LastFailure()->cause.code, ErrorCode::NotFound);

  // A call that succeeds leaves the failure as it was; clearing forgets it.
  EXPECT_EQ(NativeFileSystem().Kind(temp.path()), PathKind::Folder);
  EXPECT_EQ(LastFailure()->path, missing);
  ClearLastFailure();
  EXPECT_FALSE(LastFailure());
}

TEST(SavedFailure, PutsBackTheFailureItFound) {
  RecordFailure(Failure{"a", MakeError(ErrorCode::Damaged, "CRC error")});
  const SavedFailure saved;
  RecordFailure(Failure{"b", ErrorFromErrno(ENOENT)});
  saved.Restore();
  ASSERT_TRUE(LastFailure());
  EXPECT_EQ(LastFailure()->Describe(), "a: CRC error");
  ClearLastFailure();
}

}  // namespace
}  // namespace vantrel::platform
