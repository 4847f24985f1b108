#include "package/package_archive.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::TempFolder;
using testing::ZipBuilder;

class PackageArchiveTest : public ::testing::Test {
 protected:
  template <typename Build>
  std::string MakePackage(std::string_view name, Build build) {
    return testing::WritePackage(temp, name, build);
  }

  TempFolder temp;
  PackageArchive archive;
};

TEST_F(PackageArchiveTest, ExtractsEveryEntryWithItsFolders) {
  const std::string big = testing::VariedBytes(3 * PackageArchive::kCopyBufferSize + 17);
  temp.WriteFile("out/big.tie", big + "an older and longer file, replaced whole");
  const std::string package = MakePackage("b.kzm", [&](ZipBuilder& zip) {
    zip.Add("battle.kzb", testing::Bytes({1, 0x5A, 'B'}))
        .Add("maps/sub/deep.txt", "deep", testing::kNoonDosTime, false)
        .Add("big.tie", big);
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  EXPECT_EQ(archive.GetEntryCount(), 3u);
  ASSERT_TRUE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_EQ(temp.ReadFile("out/battle.kzb"), testing::Bytes({1, 0x5A, 'B'}));
  EXPECT_EQ(temp.ReadFile("out/maps/sub/deep.txt"), "deep");
  EXPECT_EQ(temp.ReadFile("out/big.tie"), big);
  EXPECT_TRUE(archive.ClosePackage());
}

TEST_F(PackageArchiveTest, AnArchiveWithoutEntriesFailsAfterCreatingTheFolder) {
  // An end-of-directory record with no entries, behind a few bytes of something else (as
  // a self-extracting stub would be); minizip does not open one that starts the file.
  const std::string endOfDirectory = "PK\x05\x06" + std::string(18, '\0');
  temp.WriteFile("empty.kzm", "STUB" + endOfDirectory);
  temp.WriteFile("bare.kzm", endOfDirectory);
  ASSERT_TRUE(archive.OpenPackage(temp.Path("empty.kzm")));
  EXPECT_EQ(archive.GetEntryCount(), 0u);
  EXPECT_FALSE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_TRUE(temp.Exists("out"));
  EXPECT_TRUE(temp.List("out").empty());
  EXPECT_FALSE(archive.OpenPackage(temp.Path("bare.kzm")));
}

TEST_F(PackageArchiveTest, AFolderEntryCreatesNoFolderByItself) {
  const std::string package = MakePackage("f.kzm", [](ZipBuilder& zip) {
    zip.AddFolder("maps/").AddFolder("empty/").Add("maps/m.txt", "m");
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  ASSERT_TRUE(archive.GoToFirstEntry());
  PackageEntryInfo info;
  ASSERT_TRUE(archive.GetCurrentEntryInfo(info));
  EXPECT_EQ(info.name, "maps\\");
  EXPECT_TRUE(info.isFolder);
  EXPECT_TRUE(archive.ExtractCurrentEntry(temp.Path("out"), false));
  EXPECT_FALSE(temp.Exists("out/maps"));
  ASSERT_TRUE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_EQ(temp.List("out"), (std::vector<std::string>{"maps/"}));
  EXPECT_EQ(temp.ReadFile("out/maps/m.txt"), "m");
}

TEST_F(PackageArchiveTest, DroppingFoldersLetsTheLaterEntryReplaceTheEarlier) {
  const std::string package = MakePackage("d.kzm", [](ZipBuilder& zip) {
    zip.Add("sub/a.tie", "from sub").Add("a.tie", "from top");
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  ASSERT_TRUE(archive.ExtractPackage(temp.Path("out"), true));
  EXPECT_EQ(temp.List("out"), (std::vector<std::string>{"a.tie"}));
  EXPECT_EQ(temp.ReadFile("out/a.tie"), "from top");
}

TEST_F(PackageArchiveTest, ADestinationThatIsAFileFailsAtOnce) {
  temp.WriteFile("out", "a file");
  const std::string package = MakePackage("p.kzm", [](ZipBuilder& zip) { zip.Add("a.tie", "a"); });
  ASSERT_TRUE(archive.OpenPackage(package));
  EXPECT_FALSE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_EQ(temp.ReadFile("out"), "a file");
}

TEST_F(PackageArchiveTest, EntriesThatWouldLeaveTheDestinationAreRefused) {
  for (const char* evil : {"../evil.txt", "/abs.txt", "C:evil.txt", "maps/../../evil.txt"}) {
    const std::string package = MakePackage("evil.kzm", [&](ZipBuilder& zip) {
      zip.Add("first.txt", "1").Add(evil, "gotcha").Add("after.txt", "2");
    });
    ASSERT_TRUE(archive.OpenPackage(package)) << evil;
    EXPECT_FALSE(archive.ExtractPackage(temp.Path("dest\\inner"), false)) << evil;
    // Entries before the refused one stay; the ones after it are not extracted.
    EXPECT_EQ(temp.List("dest/inner"), (std::vector<std::string>{"first.txt"})) << evil;
    EXPECT_EQ(temp.List("dest"), (std::vector<std::string>{"inner/"})) << evil;
    EXPECT_FALSE(temp.Exists("evil.txt")) << evil;
    archive.ClosePackage();
  }
}

TEST_F(PackageArchiveTest, AnOutputPathOverTheLimitIsRefused) {
  const std::string folder = temp.Path("out");
  const std::size_t room = 259 - folder.size() - 1;  // characters left for the name
  const std::string fits(room, 'f');
  const std::string tooLong(room + 1, 'g');
  const std::string package = MakePackage("long.kzm", [&](ZipBuilder& zip) {
    zip.Add(fits, "fits").Add(tooLong, "too long");
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  ASSERT_TRUE(archive.GoToFirstEntry());
  EXPECT_TRUE(archive.ExtractCurrentEntry(folder, false));
  ASSERT_TRUE(archive.GoToNextEntry());
  EXPECT_FALSE(archive.ExtractCurrentEntry(folder, false));
  EXPECT_EQ(temp.List("out"), (std::vector<std::string>{fits}));
}

TEST_F(PackageArchiveTest, WrittenFilesCarryTheStoredTime) {
  const std::uint32_t storedTime =
      (((2001 - 1980) << 9 | 2 << 5 | 3) << 16) | (4 << 11 | 5 << 5 | 3);
  const std::string package =
      MakePackage("t.kzm", [&](ZipBuilder& zip) { zip.Add("m.tie", "m", storedTime); });
  ASSERT_TRUE(archive.OpenPackage(package));
  ASSERT_TRUE(archive.ExtractPackage(temp.Path("out"), false));
  const auto times = platform::Files().GetTimes(temp.Path("out\\m.tie"));
  ASSERT_TRUE(times && times->lastWrite);
  EXPECT_EQ(*times->lastWrite, *platform::LocalDosDateTimeToFileTime(storedTime));
}

// Without an archive open nothing can be read or written; what is not a ZIP archive, or
// is not there, does not open.
TEST_F(PackageArchiveTest, ClosingWithNoArchiveOpenFails) {
  EXPECT_FALSE(archive.ClosePackage());
  EXPECT_EQ(archive.GetEntryCount(), 0u);
  EXPECT_FALSE(archive.GoToFirstEntry());
  EXPECT_FALSE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_FALSE(temp.Exists("out"));
  temp.WriteFile("junk.kzm", "PK\x03\x04 this is not really a zip file at all");
  for (const char* name : {"junk.kzm", "missing.kzm"}) {
    EXPECT_FALSE(archive.OpenPackage(temp.Path(name))) << name;
  }
  EXPECT_FALSE(archive.OpenPackage(""));
  EXPECT_FALSE(archive.isOpen());
}

TEST_F(PackageArchiveTest, DamagedEntryDataFailsAndLeavesNoFileBehind) {
  // Sixteen letters in a pseudo-random run: deflate codes them with Huffman tables, so
  // junk in the middle of the data is an error the inflater sees.
  std::string payload(200000, 'a');
  std::uint32_t state = 12345;
  for (char& c : payload) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>('a' + ((state >> 16) & 15));
  }
  const std::string package = MakePackage("bad.kzm", [&](ZipBuilder& zip) {
    zip.Add("good.txt", "good").Add("bad.tie", payload).Add("late.txt", "late");
  });
  // Overwrite the middle of the deflated data of bad.tie with junk.
  std::string bytes = *temp.ReadFile("bad.kzm");
  const std::size_t start = bytes.find("bad.tie") + 7 + 1000;
  for (std::size_t i = start; i < start + 64; ++i) bytes[i] = static_cast<char>(0xFF);
  temp.WriteFile("bad.kzm", bytes);

  ASSERT_TRUE(archive.OpenPackage(package));
  EXPECT_FALSE(archive.ExtractPackage(temp.Path("out"), false));
  EXPECT_EQ(temp.List("out"), (std::vector<std::string>{"good.txt"}));
  EXPECT_EQ(temp.ReadFile("out/good.txt"), "good");
  ASSERT_TRUE(archive.extractionFailure());
  EXPECT_EQ(archive.extractionFailure()->Describe(),
            "bad.tie: damaged data (invalid distance too far back)");
}

TEST_F(PackageArchiveTest, ExtensionSearchMatchesTheTextAfterTheLastDot) {
  const std::string package = MakePackage("e.kzm", [](ZipBuilder& zip) {
    zip.Add("readme", "r").Add("notes.tie.txt", "n").Add("b1m1.tie", "1").Add("B1M2.TIE", "2");
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  PackageEntryInfo info;
  ASSERT_TRUE(archive.GoToFirstEntry("TIE"));
  ASSERT_TRUE(archive.GetCurrentEntryInfo(info));
  EXPECT_EQ(info.name, "b1m1.tie");
  ASSERT_TRUE(archive.GoToNextEntry("tie"));
  ASSERT_TRUE(archive.GetCurrentEntryInfo(info));
  EXPECT_EQ(info.name, "B1M2.TIE");
  EXPECT_FALSE(archive.GoToNextEntry("tie"));
  EXPECT_FALSE(archive.GoToFirstEntry("readme"));
}

TEST_F(PackageArchiveTest, EntryInfoHoldsWhatTheArchiveStores) {
  const std::string package = MakePackage("i.kzm", [](ZipBuilder& zip) {
    zip.Add("maps/m.tie", "hello", testing::kNoonDosTime, false);
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  PackageEntryInfo info;
  ASSERT_TRUE(archive.GetCurrentEntryInfo(info));
  EXPECT_EQ(info.name, "maps\\m.tie");
  EXPECT_FALSE(info.isFolder);
  EXPECT_EQ(info.compressionMethod, 0u);
  EXPECT_EQ(info.uncompressedSize, 5u);
  EXPECT_EQ(info.compressedSize, 5u);
  EXPECT_EQ(info.crc, 0x3610A686u);  // CRC-32 of "hello"
  EXPECT_EQ(info.dosDateTime, testing::kNoonDosTime);
}

// "e3.txt" for 3. (Built with append: GCC 12 warns falsely on "e" + std::to_string(i).)
std::string EntryName(long index) {
  std::string name = "e";
  name.append(std::to_string(index)).append(".txt");
  return name;
}

TEST_F(PackageArchiveTest, EntriesCanBeExtractedByIndexInAnyOrder) {
  const std::string package = MakePackage("n.kzm", [](ZipBuilder& zip) {
    for (long i = 0; i < 6; ++i) zip.Add(EntryName(i), std::to_string(i));
  });
  ASSERT_TRUE(archive.OpenPackage(package));
  for (long index : {0L, 1L, 2L, 5L, 3L, 3L, 4L}) {
    ASSERT_TRUE(archive.ExtractEntryAt(index, temp.Path("out"), false)) << index;
    PackageEntryInfo info;
    ASSERT_TRUE(archive.GetCurrentEntryInfo(info));
    EXPECT_EQ(info.name, EntryName(index));
  }
  EXPECT_FALSE(archive.ExtractEntryAt(6, temp.Path("out"), false));
  EXPECT_FALSE(archive.ExtractEntryAt(-1, temp.Path("out"), false));
  EXPECT_EQ(temp.List("out").size(), 6u);
  EXPECT_EQ(temp.ReadFile("out/e5.txt"), "5");
}

TEST_F(PackageArchiveTest, WithoutAFolderTheDefaultDestinationIsThePackagePathWithoutExtension) {
  const std::string package =
      MakePackage("battle.kzm", [](ZipBuilder& zip) { zip.Add("m.tie", "m"); });
  ASSERT_TRUE(archive.OpenPackage(package));
  EXPECT_EQ(archive.defaultFolder(), temp.Path("battle"));
  ASSERT_TRUE(archive.ExtractEntryAt(0, std::nullopt, false));
  EXPECT_EQ(temp.ReadFile("battle/m.tie"), "m");
}

TEST_F(PackageArchiveTest, OpeningAnotherArchiveClosesTheFirst) {
  const std::string first = MakePackage("one.kzm", [](ZipBuilder& zip) { zip.Add("1.txt", "1"); });
  const std::string second = MakePackage("two.kzm", [](ZipBuilder& zip) {
    zip.Add("2.txt", "2").Add("3.txt", "3");
  });
  ASSERT_TRUE(archive.OpenPackage(first));
  ASSERT_TRUE(archive.OpenPackage(second));
  EXPECT_EQ(archive.GetEntryCount(), 2u);
  EXPECT_TRUE(archive.ClosePackage());
  EXPECT_FALSE(archive.ClosePackage());
}

}  // namespace
}  // namespace vantrel
