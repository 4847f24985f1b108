// The faulty file system fails exactly the calls it was told to, touches nothing when it
// does, and passes everything else through to the disk.
#include "tests/fakes/faulty_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace vantrel::testing {
namespace {

using platform::File;
using platform::Files;
using platform::OpenMode;

class FaultyFileSystemTest : public ::testing::Test {
 protected:
  TempFolder temp;
  FaultyFileSystem faulty;
};

TEST_F(FaultyFileSystemTest, PassesCallsThroughWhenNoFailureIsAsked) {
  temp.WriteFile("a.tie", "a");
  EXPECT_TRUE(faulty.CopyFile(temp.Path("A.TIE"), temp.Path("b.tie")));
  EXPECT_EQ(temp.ReadFile("b.tie"), "a");
  EXPECT_EQ(faulty.Find(temp.Path("*.tie")).size(), 2u);
  EXPECT_EQ(faulty.Calls(FileOperation::CopyFile), 1);
  EXPECT_EQ(faulty.Calls(FileOperation::Find), 1);
  EXPECT_EQ(faulty.Calls(FileOperation::Open), 0);
}

TEST_F(FaultyFileSystemTest, FailsOnlyTheNthCall) {
  temp.WriteFile("a.tie", "a");
  faulty.FailNth(FileOperation::CopyFile, 2);
  EXPECT_TRUE(faulty.CopyFile(temp.Path("a.tie"), temp.Path("1.tie")));
  EXPECT_FALSE(faulty.CopyFile(temp.Path("a.tie"), temp.Path("2.tie")));
  EXPECT_TRUE(faulty.CopyFile(temp.Path("a.tie"), temp.Path("3.tie")));
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"1.tie", "3.tie", "a.tie"}));
  EXPECT_EQ(faulty.Calls(FileOperation::CopyFile), 3);
}

TEST_F(FaultyFileSystemTest, FailsEveryCallFromTheNthOnForMatchingPathsOnly) {
  temp.WriteFile("Temp\\a.tie", "a");
  temp.WriteFile("Temp\\readme.txt", "r");
  temp.WriteFile("Temp\\b.tie", "b");
  faulty.FailFrom(FileOperation::DeleteFile, 1, ".TIE");
  EXPECT_FALSE(faulty.DeleteFile(temp.Path("Temp\\a.tie")));
  EXPECT_TRUE(faulty.DeleteFile(temp.Path("Temp\\readme.txt")));
  EXPECT_FALSE(faulty.DeleteFile(temp.Path("Temp\\b.tie")));
  EXPECT_EQ(temp.List("Temp"), (std::vector<std::string>{"a.tie", "b.tie"}));
  faulty.Heal();
  EXPECT_TRUE(faulty.DeleteFile(temp.Path("Temp\\b.tie")));
}

TEST_F(FaultyFileSystemTest, ACopyOrMoveMatchesEitherPath) {
  temp.WriteFile("Temp\\a.tie", "a");
  temp.MakeFolder("KZMISS");
  faulty.FailAlways(FileOperation::MoveFile, "kzmiss", DiskFull());
  EXPECT_FALSE(faulty.MoveFile(temp.Path("Temp\\a.tie"), temp.Path("KZMISS\\a.tie")));
  // The failure is recorded against the path that matched, with the cause given.
  EXPECT_EQ(platform::LastFailure()->Describe(), temp.Path("KZMISS\\a.tie") + ": Disk full");
  EXPECT_TRUE(temp.Exists("Temp\\a.tie"));
  EXPECT_TRUE(faulty.MoveFile(temp.Path("Temp\\a.tie"), temp.Path("Temp\\b.tie")));
}

TEST_F(FaultyFileSystemTest, AFullDiskWritesWhatFitsAndFailsFromThenOn) {
  faulty.FailWritesAfter(5, "pilot");
  {
    const std::unique_ptr<File> file = faulty.Open(temp.Path("pilot.plt"), OpenMode::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Write("abc", 3));
    EXPECT_FALSE(file->Write("defg", 4));
    EXPECT_FALSE(file->Write("h", 1));
    EXPECT_EQ(platform::LastFailure()->Describe(), temp.Path("pilot.plt") + ": Disk full");
  }
  EXPECT_EQ(temp.ReadFile("pilot.plt"), "abcde");
  {
    const std::unique_ptr<File> file = faulty.Open(temp.Path("other.plt"), OpenMode::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Write("abcdefgh", 8));
  }
  EXPECT_EQ(temp.ReadFile("other.plt"), "abcdefgh");
}

TEST_F(FaultyFileSystemTest, FailsCallsOnOpenFiles) {
  temp.WriteFile("battle.kzb", "battle");
  faulty.FailNth(FileOperation::FileRead, 1);
  const std::unique_ptr<File> file = faulty.Open(temp.Path("battle.kzb"), OpenMode::Read);
  ASSERT_TRUE(file);
  char buffer[16];
  EXPECT_EQ(file->Read(buffer, sizeof buffer), -1);
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 6);
  EXPECT_EQ(faulty.Calls(FileOperation::FileRead), 2);
}

TEST_F(FaultyFileSystemTest, IsInstalledForTheLifetimeOfTheGuard) {
  temp.WriteFile("battle.kzb", "battle");
  faulty.FailAlways(FileOperation::Open);
  {
    const ScopedFileSystem installed(faulty);
    EXPECT_FALSE(platform::CanOpenForReading(temp.Path("battle.kzb")));
    EXPECT_EQ(&Files(), &faulty);
  }
  EXPECT_TRUE(platform::CanOpenForReading(temp.Path("battle.kzb")));
  EXPECT_EQ(&Files(), &platform::NativeFileSystem());
}

}  // namespace
}  // namespace vantrel::testing
