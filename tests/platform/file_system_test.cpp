// The native file system answers as Windows does for the launcher: names in any letter
// case, searches in NTFS order with "." and "..", read-only files refused as targets,
// paths over 259 characters refused before anything is touched, and file times kept to
// the 100 ns. These tests use only the FileSystem interface and fixtures laid out beside
// it, so the same cases run on Linux and on Windows.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/path.h"
#include "tests/support/temp_folder.h"
#ifndef _WIN32
#include "tests/support/scoped_environment.h"
#endif

namespace vantrel::platform {
namespace {

using testing::TempFolder;

// 2003-05-17 12:00:00.1234500 UTC and a second later, in 100 ns ticks since 1601.
constexpr FileTime kNoonTicks = 126976464000000000ull + 1234500;
constexpr FileTime kNoonAndASecondTicks = kNoonTicks + 10'000'000;

// 2003-01-17 12:00:00 as a DOS date and time.
constexpr std::uint32_t kJanuaryNoonDos = (((2003 - 1980) << 9 | 1 << 5 | 17) << 16) | (12 << 11);

class FileSystemTest : public ::testing::Test {
 protected:
  FileSystem& files = NativeFileSystem();
  TempFolder temp;

  std::optional<std::string> Read(const std::string& path) {
    const std::unique_ptr<File> file = files.Open(path, OpenMode::Read);
    if (!file) return std::nullopt;
    std::string bytes;
    char block[7];  // small, so that reads that return part of the file are exercised
    for (;;) {
      const std::int64_t count = file->Read(block, sizeof block);
      if (count < 0) return std::nullopt;
      if (count == 0) return bytes;
      bytes.append(block, static_cast<std::size_t>(count));
    }
  }

  bool Create(const std::string& path, std::string_view bytes) {
    const std::unique_ptr<File> file = files.Open(path, OpenMode::CreateAlways);
    return file && file->Write(bytes.data(), bytes.size());
  }

  // A path below the temporary folder that is exactly `length` characters long, made of
  // the name's own characters and then 'x's.
  std::string PathOfLength(std::size_t length, const std::string& start = "long") {
    std::string path = temp.Path(start);
    path.append(length - CountPathCharacters(path), 'x');
    return path;
  }
};

TEST_F(FileSystemTest, OpensFilesInFoldersUnderAnyLetterCase) {
  temp.WriteFile("KZMISS\\BATTLE.KZB", testing::Bytes({3, 'B', 'a', 't', 0}));
  for (const char* name : {"KZMISS\\Battle.kzb", "kzmiss\\battle.kzb", "KzMiss\\BATTLE.Kzb"}) {
    EXPECT_EQ(Read(temp.Path(name)), testing::Bytes({3, 'B', 'a', 't', 0})) << name;
  }
}

TEST_F(FileSystemTest, CreatingUnderAnotherLetterCaseReplacesTheExistingFile) {
  temp.WriteFile("BATTLE.KZB", "old battle");
  ASSERT_TRUE(Create(temp.Path("Battle.kzb"), "new"));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"BATTLE.KZB"});
  EXPECT_EQ(temp.ReadFile("BATTLE.KZB"), "new");
}

TEST_F(FileSystemTest, CreatesAFreshFileWithTheGivenSpellingInsideAFolderOfAnotherCase) {
  temp.MakeFolder("MISC");
  ASSERT_TRUE(Create(temp.Path("Misc\\ReadMe.txt"), "read me"));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"MISC/"});
  EXPECT_EQ(temp.List("MISC"), std::vector<std::string>{"ReadMe.txt"});
  EXPECT_EQ(temp.ReadFile("MISC\\ReadMe.txt"), "read me");
}

TEST_F(FileSystemTest, ReadWriteChangesAnExistingFileInPlaceAndNeverCreatesOne) {
  temp.WriteFile("TIE95.EXE", "abcdef");
  {
    const std::unique_ptr<File> file = files.Open(temp.Path("tie95.exe"), OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 6u);
    ASSERT_TRUE(file->Seek(2));
    ASSERT_TRUE(file->Write("XY", 2));
    char rest[8] = {};
    EXPECT_EQ(file->Read(rest, sizeof rest), 2);
    EXPECT_EQ(std::string(rest, 2), "ef");
    EXPECT_EQ(file->Read(rest, sizeof rest), 0);
  }
  EXPECT_EQ(temp.ReadFile("TIE95.EXE"), "abXYef");

  EXPECT_EQ(files.Open(temp.Path("Z_XVT__.EXE"), OpenMode::ReadWrite), nullptr);
  EXPECT_EQ(files.Open(temp.Path("Z_XVT__.EXE"), OpenMode::Read), nullptr);
  EXPECT_TRUE(temp.List().size() == 1);
}

// A link planted at the name of a file being created, whether it leads to a file or to
// nowhere, is replaced by the new file; what it led to is left alone.
TEST_F(FileSystemTest, CreateAlwaysReplacesALinkAtItsNameAndLeavesTheTarget) {
#ifdef _WIN32
  GTEST_SKIP() << "Symbolic links need a privilege that Windows test accounts lack";
#else
  temp.WriteFile("victim.txt", "the player's own file");
  std::filesystem::create_symlink(temp.Native("victim.txt"), temp.Native("Readme.txt"));
  std::filesystem::create_symlink(temp.Native("nowhere.txt"), temp.Native("m1.tie"));
  for (const char* name : {"README.TXT", "m1.tie"}) {
    const std::unique_ptr<File> file = files.Open(temp.Path(name), OpenMode::CreateAlways);
    ASSERT_TRUE(file) << name;
    EXPECT_TRUE(file->Write("new", 3));
  }
  EXPECT_EQ(temp.ReadFile("victim.txt"), "the player's own file");
  EXPECT_FALSE(temp.Exists("nowhere.txt"));
  EXPECT_FALSE(std::filesystem::is_symlink(temp.Native("Readme.txt")));
  EXPECT_EQ(temp.ReadFile("Readme.txt"), "new");
  EXPECT_EQ(temp.ReadFile("m1.tie"), "new");
#endif
}

// Each refused call fails and changes nothing: a folder is no file to open, copy, move
// or delete, a read-only file is no target, and a missing file or folder no place.
TEST_F(FileSystemTest, RefusedCallsChangeNothing) {
  temp.WriteFile("a.tie", "a");
  temp.MakeFolder("KZMISS");
  temp.WriteFile("MISSIONS\\MISSION.LST", "game list");
  ASSERT_TRUE(files.SetReadOnly(temp.Path("MISSIONS\\MISSION.LST"), true));
  const auto opens = [&](OpenMode mode) {
    return files.Open(temp.Path("kzmiss"), mode) != nullptr;
  };
  const auto copies = [&](const char* from, const char* to) {
    return files.CopyFile(temp.Path(from), temp.Path(to));
  };
  const auto moves = [&](const char* from, const char* to) {
    return files.MoveFile(temp.Path(from), temp.Path(to));
  };
  const std::pair<const char*, bool> refused[] = {
      {"open a folder", opens(OpenMode::Read)},
      {"open a folder to change it", opens(OpenMode::ReadWrite)},
      {"create a file over a folder", opens(OpenMode::CreateAlways)},
      {"copy onto a read-only file", copies("a.tie", "missions\\mission.lst")},
      {"copy onto a folder", copies("a.tie", "kzmiss")},
      {"copy a folder", copies("kzmiss", "b.tie")},
      {"copy a missing file", copies("missing.tie", "b.tie")},
      {"copy into a missing folder", copies("a.tie", "missing\\a.tie")},
      {"move onto a read-only file", moves("a.tie", "MISSIONS\\mission.LST")},
      {"move onto a folder", moves("a.tie", "kzmiss")},
      {"move a missing file", moves("missing.lst", "missions\\x.lst")},
      {"delete a read-only file", files.DeleteFile(temp.Path("missions\\MISSION.LST"))},
      {"delete a folder", files.DeleteFile(temp.Path("KZMISS"))},
  };
  for (const auto& [what, done] : refused) EXPECT_FALSE(done) << what;
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"KZMISS/", "MISSIONS/", "a.tie"}));
  EXPECT_TRUE(temp.List("KZMISS").empty());
  EXPECT_EQ(temp.List("MISSIONS"), std::vector<std::string>{"MISSION.LST"});
  EXPECT_EQ(temp.ReadFile("MISSIONS\\MISSION.LST"), "game list");
  EXPECT_EQ(temp.ReadFile("a.tie"), "a");
  EXPECT_EQ(files.Kind(temp.Path("kzmiss")), PathKind::Folder);
}

TEST_F(FileSystemTest, AReadOnlyFileOpensForReadingOnly) {
  temp.WriteFile("TIE95.EXE", "release");
  ASSERT_TRUE(files.SetReadOnly(temp.Path("TIE95.EXE"), true));
  EXPECT_EQ(files.Open(temp.Path("tie95.exe"), OpenMode::CreateAlways), nullptr);
  EXPECT_EQ(files.Open(temp.Path("tie95.exe"), OpenMode::ReadWrite), nullptr);
  EXPECT_EQ(Read(temp.Path("tie95.exe")), "release");
  EXPECT_EQ(temp.ReadFile("TIE95.EXE"), "release");

  ASSERT_TRUE(files.SetReadOnly(temp.Path("TIE95.EXE"), false));
  EXPECT_TRUE(Create(temp.Path("tie95.exe"), "patched"));
  EXPECT_EQ(temp.ReadFile("TIE95.EXE"), "patched");
}

TEST_F(FileSystemTest, KindTellsMissingFilesAndFoldersApartInAnyLetterCase) {
  temp.WriteFile("Readme.txt", "x");
  temp.MakeFolder("MISC");
  EXPECT_EQ(files.Kind(temp.Path("README.TXT")), PathKind::File);
  EXPECT_EQ(files.Kind(temp.Path("misc")), PathKind::Folder);
  EXPECT_EQ(files.Kind(temp.Path("email.txt")), PathKind::Missing);
  EXPECT_EQ(files.Kind(temp.Path("missing\\email.txt")), PathKind::Missing);
}

// Find matches names without regard to case and gives them as they are on disk, with
// "." and ".." first and the rest in order of their capitals: '_' sorts after the
// capitals but before the small letters, so only folded names put "_x.tie" last.
TEST_F(FileSystemTest, FindGivesTheMatchingNamesAsOnDiskInNtfsOrder) {
  for (const char* name : {"Order\\b.tie", "Order\\A.TIE", "Order\\_x.tie", "Order\\readme",
                           "B1M2.TIE", "b1m1.tie", "b1m1.tie2", "readme.txt", "TEMP\\EMAIL.TXT"}) {
    temp.WriteFile(name, "");
  }
  temp.MakeFolder("Order\\Sub");
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"Order\\*.*", {"./", "../", "A.TIE", "b.tie", "readme", "Sub/", "_x.tie"}},
      {"*.TIE", {"b1m1.tie", "B1M2.TIE"}},
      {"temp\\email.txt", {"EMAIL.TXT"}},
      {"Missing\\*.*", {}},
      {"*.lst", {}},
      {"readme.txt\\*.*", {}},
  };
  for (const auto& [pattern, expected] : cases) {
    std::vector<std::string> names;
    for (const FoundEntry& entry : files.Find(temp.Path(pattern))) {
      names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    }
    EXPECT_EQ(names, expected) << pattern;
  }
}

TEST_F(FileSystemTest, FindInARootFolderReportsNoDots) {
  // The root of the drive the temporary folder is on: "\*" or "C:\*".
  const std::string root(temp.path().substr(0, temp.path().find_first_of("\\/")));
  const std::vector<FoundEntry> found = files.Find(root + "\\*");
  ASSERT_FALSE(found.empty());
  for (const FoundEntry& entry : found) {
    EXPECT_NE(entry.name, ".");
    EXPECT_NE(entry.name, "..");
  }
}

TEST_F(FileSystemTest, CopyReplacesTheTargetAndLeavesTheSource) {
  temp.WriteFile("Temp\\b1m1.tie", "new mission");
  temp.WriteFile("KZMISS\\B1M1.TIE", "old");
  ASSERT_TRUE(files.CopyFile(temp.Path("Temp\\b1m1.tie"), temp.Path("KZMISS\\b1m1.tie")));
  EXPECT_EQ(temp.ReadFile("KZMISS\\B1M1.TIE"), "new mission");
  EXPECT_EQ(temp.ReadFile("Temp\\b1m1.tie"), "new mission");
  EXPECT_EQ(temp.List("KZMISS"), std::vector<std::string>{"B1M1.TIE"});
}

TEST_F(FileSystemTest, CopyCreatesANewTargetAndKeepsTheSourcesLastWriteTime) {
  temp.WriteFile("TIE95.EXE", std::string(100000, 'x'));
  ASSERT_TRUE(files.SetTimes(temp.Path("TIE95.EXE"), FileTimes{{}, {}, kNoonTicks}));
  ASSERT_TRUE(files.CopyFile(temp.Path("TIE95.EXE"), temp.Path("VNTL___.tmp")));
  EXPECT_EQ(temp.ReadFile("VNTL___.tmp"), std::string(100000, 'x'));
  const std::optional<FileTimes> times = files.GetTimes(temp.Path("vntl___.TMP"));
  ASSERT_TRUE(times);
  EXPECT_EQ(times->lastWrite, kNoonTicks);
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"TIE95.EXE", "VNTL___.tmp"}));
}

TEST_F(FileSystemTest, CopyOntoAHiddenFileFails) {
#ifdef _WIN32
  GTEST_SKIP() << "On Windows a hidden file is one with the hidden attribute, which no "
                  "call of this interface sets";
#else
  temp.WriteFile("a.cfg", "new");
  temp.WriteFile(".config", "old");
  EXPECT_FALSE(files.CopyFile(temp.Path("a.cfg"), temp.Path(".CONFIG")));
  EXPECT_FALSE(files.MoveFile(temp.Path("a.cfg"), temp.Path(".config")));
  EXPECT_EQ(temp.ReadFile(".config"), "old");
  EXPECT_EQ(temp.ReadFile("a.cfg"), "new");
#endif
}

TEST_F(FileSystemTest, DeleteRemovesAFileUnderAnyLetterCase) {
  temp.WriteFile("Temp\\Readme.txt", "x");
  EXPECT_TRUE(files.DeleteFile(temp.Path("TEMP\\README.TXT")));
  EXPECT_TRUE(temp.List("Temp").empty());
  EXPECT_FALSE(files.DeleteFile(temp.Path("TEMP\\README.TXT")));
}

TEST_F(FileSystemTest, MoveReplacesTheTargetAndRemovesTheSource) {
  temp.WriteFile("VNTL___.tmp", "backup");
  temp.WriteFile("TIE95.EXE", "patched");
  ASSERT_TRUE(files.MoveFile(temp.Path("vntl___.tmp"), temp.Path("tie95.exe")));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"TIE95.EXE"});
  EXPECT_EQ(temp.ReadFile("TIE95.EXE"), "backup");
}

TEST_F(FileSystemTest, MoveIntoAnotherFolderKeepsTheGivenNameForANewFile) {
  temp.WriteFile("Temp\\pilot1.plt", "pilot");
  temp.MakeFolder("XWA");
  ASSERT_TRUE(files.MoveFile(temp.Path("temp\\PILOT1.PLT"), temp.Path("xwa\\Pilot1.plt")));
  EXPECT_TRUE(temp.List("Temp").empty());
  EXPECT_EQ(temp.List("XWA"), std::vector<std::string>{"Pilot1.plt"});
}

// A move onto the file itself changes the letter case of its name, or nothing.
TEST_F(FileSystemTest, AMoveOntoTheSameFileTakesTheNewSpellingOfItsName) {
  temp.WriteFile("battle.kzb", "battle");
  std::string name = "battle.kzb";
  for (const std::string spelling : {"Battle.kzb", "Battle.kzb", "battle.kzb"}) {
    ASSERT_TRUE(files.MoveFile(temp.Path(name), temp.Path(spelling))) << name << " " << spelling;
    EXPECT_EQ(temp.List(), std::vector<std::string>{spelling});
    name = spelling;
  }
  EXPECT_EQ(temp.ReadFile("battle.kzb"), "battle");
}

// A batch moves each file as MoveFile would: a new name keeps its spelling, a name that
// exists in another letter case is the file replaced, and what cannot move stays put.
// Later lookups see both folders as the batch left them.
TEST_F(FileSystemTest, MoveFilesMovesEachFileAsASingleMoveWould) {
  temp.WriteFile("Temp\\b.tie", "new b");
  temp.WriteFile("Temp\\m1.tie", "new m1");
  temp.WriteFile("Temp\\locked.tie", "new locked");
  temp.WriteFile("KZMISS\\M1.TIE", "old m1");
  temp.WriteFile("KZMISS\\LOCKED.TIE", "old locked");
  ASSERT_TRUE(files.SetReadOnly(temp.Path("KZMISS\\LOCKED.TIE"), true));
  ASSERT_EQ(files.Kind(temp.Path("kzmiss\\B.TIE")), PathKind::Missing);

  const std::vector<bool> moved =
      files.MoveFiles(temp.Path("temp") + "\\", {"b.tie", "m1.tie", "locked.tie", "gone.tie"},
                      temp.Path("kzmiss") + "\\");
  EXPECT_EQ(moved, (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(temp.List("KZMISS"), (std::vector<std::string>{"LOCKED.TIE", "M1.TIE", "b.tie"}));
  EXPECT_EQ(temp.ReadFile("KZMISS\\b.tie"), "new b");
  EXPECT_EQ(temp.ReadFile("KZMISS\\M1.TIE"), "new m1");
  EXPECT_EQ(temp.ReadFile("KZMISS\\LOCKED.TIE"), "old locked");
  EXPECT_EQ(temp.List("Temp"), std::vector<std::string>{"locked.tie"});
  EXPECT_EQ(files.Kind(temp.Path("kzmiss\\B.TIE")), PathKind::File);
  EXPECT_EQ(files.Kind(temp.Path("temp\\B.TIE")), PathKind::Missing);
}

TEST_F(FileSystemTest, CreateFolderMakesOneLevelUnderTheGivenName) {
  ASSERT_TRUE(files.CreateFolder(temp.Path("KZMISS")));
  EXPECT_FALSE(files.CreateFolder(temp.Path("KZMISS")));
  EXPECT_FALSE(files.CreateFolder(temp.Path("kzmiss")));
  EXPECT_FALSE(files.CreateFolder(temp.Path("Temp\\Sub")));
  EXPECT_TRUE(files.CreateFolder(temp.Path("kzmiss\\Sub")));
  EXPECT_EQ(temp.List(), std::vector<std::string>{"KZMISS/"});
  EXPECT_EQ(temp.List("KZMISS"), std::vector<std::string>{"Sub/"});
}

TEST_F(FileSystemTest, RemoveFolderRemovesOnlyAnEmptyFolder) {
  temp.WriteFile("Temp\\maps\\a.tie", "");
  EXPECT_FALSE(files.RemoveFolder(temp.Path("temp")));
  EXPECT_FALSE(files.RemoveFolder(temp.Path("temp\\maps\\a.tie")));
  EXPECT_TRUE(temp.Exists("Temp\\maps\\a.tie"));
  ASSERT_TRUE(files.DeleteFile(temp.Path("TEMP\\MAPS\\A.TIE")));
  EXPECT_TRUE(files.RemoveFolder(temp.Path("TEMP\\MAPS")));
  EXPECT_TRUE(files.RemoveFolder(temp.Path("TEMP")));
  EXPECT_TRUE(temp.List().empty());
}

// The limit counts characters as Windows does, in UTF-16 units, not bytes: "é" is one,
// and U+1F680, beyond the Basic Multilingual Plane, two.
TEST_F(FileSystemTest, APathOfTwoHundredFiftyNineCharactersIsUsedAndOneMoreIsNot) {
  for (const std::string start : {"long", "\xC3\xA9t\xC3\xA9", "\xF0\x9F\x9A\x80"}) {
    const std::string path = PathOfLength(259, start);
    ASSERT_EQ(CountPathCharacters(path), 259u);
    ASSERT_TRUE(Create(path, "fits")) << start;
    EXPECT_EQ(Read(path), "fits");
    EXPECT_EQ(files.Kind(path), PathKind::File);
    EXPECT_EQ(files.Open(path + "x", OpenMode::CreateAlways), nullptr);
  }
  EXPECT_EQ(temp.List().size(), 3u);
}

TEST_F(FileSystemTest, APathOfTwoHundredSixtyCharactersIsRefusedBeforeTouchingTheDisk) {
  temp.WriteFile("source.tie", "x");
  const std::string path = PathOfLength(260);
  EXPECT_EQ(files.Open(path, OpenMode::CreateAlways), nullptr);
  EXPECT_FALSE(files.CreateFolder(path));
  EXPECT_FALSE(files.CopyFile(temp.Path("source.tie"), path));
  EXPECT_FALSE(files.MoveFile(temp.Path("source.tie"), path));
  EXPECT_EQ(files.Kind(path), PathKind::Missing);
  EXPECT_TRUE(files.Find(path + "\\*.*").empty());
  EXPECT_EQ(temp.List(), std::vector<std::string>{"source.tie"});
}

// Times set by path or through an open file are read back to the tick; an empty time is
// left as it was.
TEST_F(FileSystemTest, TimesSetAreReadBackToTheTick) {
  temp.WriteFile("pilot.plt", "x");
  const std::string path = temp.Path("PILOT.PLT");
  const std::pair<const char*, std::function<bool(const FileTimes&)>> setters[] = {
      {"by path", [&](const FileTimes& times) { return files.SetTimes(path, times); }},
      {"through an open file", [&](const FileTimes& times) {
         const std::unique_ptr<File> file = files.Open(path, OpenMode::ReadWrite);
         return file && file->SetTimes(times);
       }},
  };
  for (const auto& [how, set] : setters) {
    ASSERT_TRUE(set(FileTimes{{}, kNoonTicks, kNoonAndASecondTicks})) << how;
    std::optional<FileTimes> times = files.GetTimes(temp.Path("pilot.plt"));
    ASSERT_TRUE(times) << how;
    EXPECT_EQ(times->lastAccess, kNoonTicks) << how;
    EXPECT_EQ(times->lastWrite, kNoonAndASecondTicks) << how;
    EXPECT_TRUE(times->creation.has_value()) << how;
    ASSERT_TRUE(set(FileTimes{{}, {}, kNoonTicks})) << how;
    times = files.GetTimes(path);
    ASSERT_TRUE(times) << how;
    EXPECT_EQ(times->lastAccess, kNoonTicks) << how;
    EXPECT_EQ(times->lastWrite, kNoonTicks) << how;
  }
}

TEST_F(FileSystemTest, TimesOfAMissingFileCannotBeReadOrSet) {
  EXPECT_FALSE(files.GetTimes(temp.Path("missing")).has_value());
  EXPECT_FALSE(files.SetTimes(temp.Path("missing"), FileTimes{{}, {}, kNoonTicks}));
  EXPECT_TRUE(temp.List().empty());
}

TEST_F(FileSystemTest, NamesAddedBesideTheFileSystemAreFoundUnderAnyCase) {
  // The backend has seen the folder and made a change of its own in it; files added by
  // other means afterwards must still be found.
  temp.MakeFolder("Temp");
  ASSERT_TRUE(Create(temp.Path("temp\\First.tie"), "1"));
  temp.WriteFile("Temp\\BATTLE.KZB", "battle");
  EXPECT_EQ(Read(temp.Path("TEMP\\battle.kzb")), "battle");

  std::filesystem::remove(temp.Native("Temp/BATTLE.KZB"));
  temp.WriteFile("Temp\\Battle.Kzb", "other");
  EXPECT_EQ(Read(temp.Path("TEMP\\battle.kzb")), "other");
  EXPECT_EQ(Read(temp.Path("temp\\FIRST.TIE")), "1");
}

TEST_F(FileSystemTest, AThousandFreshNamesInOneFolderAreEachFoundUnderAnotherCase) {
  constexpr int kCount = 1200;
  temp.MakeFolder("Temp");
  for (int i = 0; i < kCount; ++i) {
    ASSERT_TRUE(Create(temp.Path("temp\\M" + std::to_string(i) + ".TIE"), std::to_string(i)));
  }
  for (int i = 0; i < kCount; i += 37) {
    EXPECT_EQ(Read(temp.Path("TEMP\\m" + std::to_string(i) + ".tie")), std::to_string(i));
    ASSERT_TRUE(files.DeleteFile(temp.Path("TEMP\\m" + std::to_string(i) + ".tie")));
    EXPECT_EQ(files.Kind(temp.Path("Temp\\M" + std::to_string(i) + ".TIE")), PathKind::Missing);
  }
  EXPECT_EQ(files.Find(temp.Path("temp\\*.tie")).size(), static_cast<std::size_t>(kCount - 33));
}

TEST_F(FileSystemTest, RelativePathsStartInTheCurrentFolder) {
  const std::string previous = files.CurrentFolder();
  ASSERT_FALSE(previous.empty());
  EXPECT_EQ(files.Kind(previous), PathKind::Folder);
  temp.WriteFile("KZMISS\\Battle.kzb", "battle");
  ASSERT_TRUE(files.SetCurrentFolder(temp.Path("kzmiss")));
  EXPECT_EQ(Read("BATTLE.KZB"), "battle");
  EXPECT_TRUE(NamesEqual(FileNamePart(files.CurrentFolder()), "KZMISS"));
  EXPECT_TRUE(files.SetCurrentFolder(previous));
  EXPECT_FALSE(files.SetCurrentFolder(temp.Path("missing")));
}

TEST(DosTime, NoonInADosTimeIsNoonLocalTime) {
  const std::optional<FileTime> ticks = LocalDosDateTimeToFileTime(kJanuaryNoonDos);
  ASSERT_TRUE(ticks);
  ASSERT_EQ(*ticks % 10'000'000, 0u);
  const std::time_t seconds = static_cast<std::time_t>(*ticks / 10'000'000 - 11644473600ll);
  const std::tm* local = std::localtime(&seconds);
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(local->tm_year, 2003 - 1900);
  EXPECT_EQ(local->tm_mon, 0);
  EXPECT_EQ(local->tm_mday, 17);
  EXPECT_EQ(local->tm_hour, 12);
  EXPECT_EQ(local->tm_min, 0);
  EXPECT_EQ(local->tm_sec, 0);
}

TEST(DosTime, IsReadInTheLocalTimeZone) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows converts with the system's time zone, which a test cannot set";
#else
  std::optional<FileTime> ticks;
  {
    // Three hours east of UTC, without daylight saving time.
    const testing::ScopedEnvironment zone("TZ", "EAT-3");
    tzset();
    ticks = LocalDosDateTimeToFileTime(kJanuaryNoonDos);
  }
  tzset();
  // 2003-01-17 09:00:00 UTC.
  EXPECT_EQ(ticks, 126872676000000000ull);
#endif
}

TEST(DosTime, ImpossibleDatesAndTimesAreRefused) {
  constexpr std::uint32_t kJanuary17 = ((2003 - 1980) << 9 | 1 << 5 | 17) << 16;
  const std::pair<const char*, std::uint32_t> impossible[] = {
      {"month 0", kJanuary17 & ~(0xFu << 21)},
      {"day 0", kJanuary17 & ~(0x1Fu << 16)},
      {"hour 24", kJanuary17 | 24 << 11},
      {"minute 60", kJanuary17 | 60 << 5},
  };
  for (const auto& [what, time] : impossible) {
    EXPECT_FALSE(LocalDosDateTimeToFileTime(time).has_value()) << what;
  }
}

TEST(DosTime, AFileTimeGoesBackToTheSameLocalDosTime) {
  const std::optional<FileTime> noon = LocalDosDateTimeToFileTime(kJanuaryNoonDos);
  ASSERT_TRUE(noon);
  EXPECT_EQ(FileTimeToLocalDosDateTime(*noon), kJanuaryNoonDos);
  // Odd seconds go down to the even second before; 1979 and 2108 cannot be held.
  EXPECT_EQ(FileTimeToLocalDosDateTime(*noon + 10'000'000), kJanuaryNoonDos);
  EXPECT_EQ(FileTimeToLocalDosDateTime(*noon + 20'000'000), kJanuaryNoonDos + 1);
  EXPECT_EQ(FileTimeToLocalDosDateTime(*noon - 24ull * 3600 * 365 * 24 * 10'000'000), std::nullopt);
  EXPECT_EQ(FileTimeToLocalDosDateTime(*noon + 24ull * 3600 * 366 * 106 * 10'000'000),
            std::nullopt);
}

}  // namespace
}  // namespace vantrel::platform
