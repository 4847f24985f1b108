// What only the Windows file system can show: the hidden attribute, names outside the
// Basic Multilingual Plane (two UTF-16 units each, so they count twice toward the path
// limit), and text that is not UTF-8 at all. Attributes are set and checked with the
// Win32 calls themselves, not through the code under test.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/path.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/windows_api.h"
#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

using testing::TempFolder;

// U+1F680, four bytes in UTF-8 and a surrogate pair in UTF-16.
constexpr std::string_view kRocket = "\xF0\x9F\x9A\x80";

class Win32FileSystemTest : public ::testing::Test {
 protected:
  FileSystem& files = NativeFileSystem();
  TempFolder temp;

  void AddAttributes(std::string_view relative, DWORD attributes) {
    const std::wstring path = win32::Widen(temp.Path(relative)).value();
    const DWORD current = GetFileAttributesW(path.c_str());
    ASSERT_NE(current, INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), (current & ~FILE_ATTRIBUTE_NORMAL) | attributes));
  }

  DWORD Attributes(std::string_view relative) {
    return GetFileAttributesW(win32::Widen(temp.Path(relative)).value().c_str());
  }
};

TEST_F(Win32FileSystemTest, AHiddenFileIsNeitherReplacedNorEmptied) {
  temp.WriteFile("a.cfg", "new");
  temp.WriteFile("CONFIG.CFG", "old");
  ASSERT_NO_FATAL_FAILURE(AddAttributes("CONFIG.CFG", FILE_ATTRIBUTE_HIDDEN));

  EXPECT_FALSE(files.CopyFile(temp.Path("a.cfg"), temp.Path("config.cfg")));
  EXPECT_FALSE(files.MoveFile(temp.Path("a.cfg"), temp.Path("config.cfg")));
  EXPECT_EQ(files.Open(temp.Path("config.cfg"), OpenMode::CreateAlways), nullptr);

  EXPECT_EQ(temp.ReadFile("CONFIG.CFG"), "old");
  EXPECT_EQ(temp.ReadFile("a.cfg"), "new");
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"CONFIG.CFG", "a.cfg"}));
}

TEST_F(Win32FileSystemTest, AHiddenFileCanStillBeReadAndChangedInPlace) {
  temp.WriteFile("CONFIG.CFG", "abc");
  ASSERT_NO_FATAL_FAILURE(AddAttributes("CONFIG.CFG", FILE_ATTRIBUTE_HIDDEN));
  std::unique_ptr<File> file = files.Open(temp.Path("config.cfg"), OpenMode::ReadWrite);
  ASSERT_TRUE(file && file->Write("X", 1));
  file.reset();
  EXPECT_EQ(temp.ReadFile("CONFIG.CFG"), "Xbc");
}

TEST_F(Win32FileSystemTest, SetReadOnlyTogglesOnlyTheReadOnlyAttribute) {
  temp.WriteFile("TIE95.EXE", "release");
  ASSERT_NO_FATAL_FAILURE(AddAttributes("TIE95.EXE", FILE_ATTRIBUTE_HIDDEN));

  ASSERT_TRUE(files.SetReadOnly(temp.Path("tie95.exe"), true));
  EXPECT_EQ(Attributes("TIE95.EXE") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(files.SetReadOnly(temp.Path("tie95.exe"), false));
  EXPECT_EQ(Attributes("TIE95.EXE") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Win32FileSystemTest, AReadOnlyFileCanStillChangeTheLetterCaseOfItsName) {
  temp.WriteFile("battle.kzb", "battle");
  ASSERT_TRUE(files.SetReadOnly(temp.Path("battle.kzb"), true));

  ASSERT_TRUE(files.MoveFile(temp.Path("battle.kzb"), temp.Path("BATTLE.KZB")));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"BATTLE.KZB"});
  EXPECT_NE(Attributes("BATTLE.KZB") & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(Win32FileSystemTest, AFolderIsNotMoved) {
  temp.WriteFile("Temp\\maps\\a.tie", "a");
  EXPECT_FALSE(files.MoveFile(temp.Path("Temp\\maps"), temp.Path("maps")));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"Temp/"});
  EXPECT_EQ(temp.List("Temp"), std::vector<std::string>{"maps/"});
}

TEST_F(Win32FileSystemTest, NamesBeyondTheBasicPlaneComeBackAsTheyWereWritten) {
  const std::string name = "b1m1 " + std::string(kRocket) + ".tie";
  temp.WriteFile(name, "mission");

  const std::vector<FoundEntry> found = files.Find(temp.Path("*.TIE"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, name);
  EXPECT_EQ(files.Kind(temp.Path(name)), PathKind::File);
}

TEST_F(Win32FileSystemTest, TextThatIsNotUtf8NamesNoFile) {
  temp.WriteFile("a.tie", "a");
  // "\xE1" alone is "á" in the ANSI code page, but no UTF-8 at all.
  const std::string broken = temp.Path("\xE1.tie");

  EXPECT_EQ(files.Open(broken, OpenMode::CreateAlways), nullptr);
  EXPECT_FALSE(files.CopyFile(temp.Path("a.tie"), broken));
  EXPECT_FALSE(files.CreateFolder(broken));
  EXPECT_EQ(files.Kind(broken), PathKind::Missing);
  EXPECT_EQ(temp.List(), std::vector<std::string>{"a.tie"});
}

}  // namespace
}  // namespace vantrel::platform
