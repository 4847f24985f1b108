// The whole-file helpers: what they read and write, and how they fail.
#include "platform/file_helpers.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/fakes/faulty_file_system.h"
#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

using Status = WholeFile::Status;

TEST(ReadWholeFile, ReadsEveryByteAndTellsMissingFromUnreadable) {
  testing::TempFolder temp;
  const std::string bytes = std::string(70'000, 'a') + std::string("\0\r\n", 3);
  temp.WriteFile("file.bin", bytes);
  const WholeFile read = ReadWholeFile(temp.Path("FILE.BIN"));
  EXPECT_EQ(read.status, Status::Read);
  EXPECT_EQ(read.bytes, bytes);

  EXPECT_EQ(ReadWholeFile(temp.Path("none")).status, Status::Missing);
  temp.MakeFolder("folder");
  EXPECT_EQ(ReadWholeFile(temp.Path("folder")).status, Status::Unreadable);

  testing::FaultyFileSystem faulty;
  const testing::ScopedFileSystem scoped(faulty);
  faulty.FailNth(testing::FileOperation::FileRead, 2);
  const WholeFile cut = ReadWholeFile(temp.Path("file.bin"));
  EXPECT_EQ(cut.status, Status::Unreadable);
  EXPECT_EQ(cut.bytes, "");
}

TEST(ReadUpTo, ReadsTheCountOrToTheEnd) {
  testing::TempFolder temp;
  temp.WriteFile("f", "0123456789");
  const std::unique_ptr<File> file = Files().Open(temp.Path("f"), OpenMode::Read);
  ASSERT_TRUE(file);
  EXPECT_EQ(ReadUpTo(*file, 4), "0123");
  EXPECT_EQ(ReadUpTo(*file, 100), "456789");
  EXPECT_EQ(ReadUpTo(*file, 3), "");
}

TEST(CreateFolders, CreatesEveryMissingFolderFromTheTopAndFailsOnAFile) {
  testing::TempFolder temp;
  EXPECT_TRUE(CreateFolders(temp.Path("a\\b\\c")));
  EXPECT_TRUE(temp.Exists("a/b/c"));
  EXPECT_TRUE(CreateFolders(temp.Path("a\\b\\c")));  // existing: success
  temp.WriteFile("file", "x");
  EXPECT_FALSE(CreateFolders(temp.Path("file")));
  EXPECT_FALSE(CreateFolders(temp.Path("file\\below")));
  EXPECT_FALSE(CreateFolders(""));
}

TEST(RemoveFolderTree, RemovesEverythingInsideButNothingALinkPointsTo) {
  testing::TempFolder temp;
  temp.WriteFile("Temp/a.tie", "a");
  temp.WriteFile("Temp/maps/deep/m.map", "m");
  temp.WriteFile("kept/own.txt", "the player's");
#ifndef _WIN32
  // Links to a folder and to a file outside, as someone could plant them.
  std::filesystem::create_directory_symlink(temp.Native("kept"), temp.Native("Temp/maps/linked"));
  std::filesystem::create_symlink(temp.Native("kept/own.txt"), temp.Native("Temp/own.txt"));
#endif
  EXPECT_TRUE(RemoveFolderTree(temp.Path("Temp")));
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"kept/"}));
  EXPECT_EQ(temp.ReadFile("kept/own.txt"), "the player's");
}

TEST(ReplaceFileContent, ReplacesTheFileWholeOrLeavesIt) {
  testing::TempFolder temp;
  temp.WriteFile("config.cfg", "old");
  EXPECT_TRUE(ReplaceFileContent(temp.Path("config.cfg"), temp.Path("config.tmp"), "new\r\n"));
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"config.cfg"}));
  EXPECT_EQ(temp.ReadFile("config.cfg"), "new\r\n");

  testing::FaultyFileSystem faulty;
  const testing::ScopedFileSystem scoped(faulty);
  faulty.FailWritesAfter(2, "config.tmp");
  EXPECT_FALSE(ReplaceFileContent(temp.Path("config.cfg"), temp.Path("config.tmp"), "longer"));
  faulty.Heal();
  faulty.FailNth(testing::FileOperation::MoveFile, 1);
  EXPECT_FALSE(ReplaceFileContent(temp.Path("config.cfg"), temp.Path("config.tmp"), "moved"));
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"config.cfg"}));
  EXPECT_EQ(temp.ReadFile("config.cfg"), "new\r\n");
}

}  // namespace
}  // namespace vantrel::platform
