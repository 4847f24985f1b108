// The system's file lock between operations: a second taker waits for the first and gets
// the lock once the first lets go, or gives up after its wait; two takers in one process
// exclude each other as two processes do (the cross-process case is run with real
// processes in tests/cli/hostile_runs_test.py).
#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

constexpr std::chrono::milliseconds kShortWait{200};

TEST(FileLock, ASecondTakerGivesUpWhileTheFirstHoldsTheLockAndGetsItAfterwards) {
  testing::TempFolder temp;
  temp.MakeFolder("VNTL");
  const std::string lockFile = temp.Path("VNTL") + "\\VNTL.lock";
  std::optional<FileLock> first = TakeFileLock(lockFile, kShortWait);
  ASSERT_EQ(first->state(), FileLock::State::Held);
  EXPECT_TRUE(temp.Exists("VNTL/VNTL.lock"));

  const FileLock refused = TakeFileLock(lockFile, kShortWait);
  EXPECT_EQ(refused.state(), FileLock::State::Busy);
  EXPECT_FALSE(refused);

  first.reset();
  const FileLock second = TakeFileLock(lockFile, kShortWait);
  EXPECT_EQ(second.state(), FileLock::State::Held);
  EXPECT_TRUE(second);
}

TEST(FileLock, WithoutAFolderForTheLockFileNobodyCanHoldItAndTheOperationGoesAhead) {
  testing::TempFolder temp;
  const FileLock lock = TakeFileLock(temp.Path("missing") + "\\VNTL.lock", kShortWait);
  EXPECT_EQ(lock.state(), FileLock::State::Unavailable);
  EXPECT_TRUE(lock);
}

}  // namespace
}  // namespace vantrel::platform
