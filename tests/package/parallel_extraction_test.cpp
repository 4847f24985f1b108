// A package unpacked on every core against the same package unpacked one entry after
// another: the same files, bytes and times, and after a failure the same first failing
// entry and nothing of the entries after it.
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "package/package_archive.h"
#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::FaultyFileSystem;
using testing::FileOperation;
using testing::ScopedFileSystem;
using testing::TempFolder;
using testing::ZipBuilder;

constexpr int kEntries = 300;

// "f3\s1\e000042.tie" and the like: seven folders with three subfolders each, and a few
// entries at the top.
std::string EntryName(int index) {
  std::string number = std::to_string(index);
  number.insert(0, 6 - number.size(), '0');
  if (index % 11 == 0) return "top" + number + ".txt";
  return "f" + std::to_string(index % 7) + "/s" + std::to_string(index % 3) + "/e" + number +
         ".tie";
}

// Bytes of an entry: mostly small, some past the sizes data moves in, every one distinct
// (a marker holding the index, which a test can find in the package to damage it).
std::string EntryBytes(int index) {
  const std::size_t size =
      index % 50 == 7 ? 1'500'000 + index : static_cast<std::size_t>(index * 37 % 5000);
  std::string bytes = "<entry " + std::to_string(index) + ">";
  std::uint32_t state = static_cast<std::uint32_t>(index) + 1;
  while (bytes.size() < size) {
    state = state * 1103515245u + 12345u;
    // Half the entries barely compress, half compress well.
    bytes += static_cast<char>(index % 2 == 0 ? (state >> 16) & 0xFF : 'a' + (state >> 16) % 4);
  }
  return bytes;
}

std::uint32_t EntryTime(int index) {
  return ((2000 - 1980 + index % 20) << 9 | (1 + index % 12) << 5 | (1 + index % 28)) << 16 |
         (index % 24) << 11 | (index % 60) << 5 | (index % 30);
}

class ParallelExtractionTest : public ::testing::Test {
 protected:
  ParallelExtractionTest() {
    ZipBuilder zip(temp.Native("p.kzm").string());
    zip.AddFolder("f1/");
    for (int i = 0; i < kEntries; ++i) {
      zip.Add(EntryName(i), EntryBytes(i), EntryTime(i), i % 3 != 0);
    }
  }

  // Stored entry `index` with one byte of its data changed: whole, but not what was packed.
  void Damage(int index) {
    std::string bytes = *temp.ReadFile("p.kzm");
    const std::size_t at = bytes.find("<entry " + std::to_string(index) + ">");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 1] = 'E';
    temp.WriteFile("p.kzm", bytes);
  }

  bool Extract(const std::string& folder) {
    EXPECT_TRUE(archive.OpenPackage(temp.Path("p.kzm")));
    const bool extracted = archive.ExtractPackage(temp.Path(folder), false);
    archive.ClosePackage();
    return extracted;
  }

  // Every file under `folder`: its path inside, bytes and last-write time.
  std::map<std::string, std::pair<std::string, platform::FileTime>> Tree(
      const std::string& folder) {
    std::map<std::string, std::pair<std::string, platform::FileTime>> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(temp.Native(folder))) {
      const std::string relative =
          std::filesystem::relative(item.path(), temp.Native(folder)).generic_string();
      if (item.is_directory()) {
        files[relative + "/"] = {};
        continue;
      }
      const auto times = platform::Files().GetTimes(temp.Path(folder + "/" + relative));
      files[relative] = {*temp.ReadFile(folder + "/" + relative),
                         times ? times->lastWrite.value_or(0) : 0};
    }
    return files;
  }

  // The tree one entry after another leaves: a destination that holds a file already is
  // never unpacked on several cores.
  std::map<std::string, std::pair<std::string, platform::FileTime>> SequentialTree(bool extracted) {
    temp.WriteFile("sequential/marker", "");
    EXPECT_EQ(Extract("sequential"), extracted);
    std::filesystem::remove(temp.Native("sequential/marker"));
    return Tree("sequential");
  }

  TempFolder temp;
  PackageArchive archive;
};

TEST_F(ParallelExtractionTest, WritesEveryByteAndTimeAsOneEntryAfterAnother) {
  ASSERT_TRUE(Extract("parallel"));
  const auto parallel = Tree("parallel");
  EXPECT_EQ(parallel, SequentialTree(true));
  EXPECT_EQ(parallel.size(), kEntries + 7 + 7 * 3);
  EXPECT_EQ(parallel.at("f1/s0/e000057.tie").first, EntryBytes(57));
  EXPECT_EQ(parallel.at("f0/s1/e000007.tie").first, EntryBytes(7));
  EXPECT_EQ(parallel.at("f0/s1/e000007.tie").second,
            *platform::LocalDosDateTimeToFileTime(EntryTime(7)));
}

TEST_F(ParallelExtractionTest, TheFirstFailingEntryInDirectoryOrderIsNamedAndNothingAfterItStays) {
  Damage(291);
  Damage(42);
  EXPECT_FALSE(Extract("parallel"));
  ASSERT_TRUE(archive.extractionFailure());
  EXPECT_EQ(archive.extractionFailure()->Describe(), "f0\\s0\\e000042.tie: CRC mismatch");
  const auto parallel = Tree("parallel");
  EXPECT_EQ(parallel, SequentialTree(false));
  EXPECT_EQ(archive.extractionFailure()->Describe(), "f0\\s0\\e000042.tie: CRC mismatch");
  EXPECT_EQ(parallel.count("top000033.txt"), 1u);
  EXPECT_EQ(parallel.count("top000044.txt"), 0u);
}

TEST_F(ParallelExtractionTest, AFileThatCannotBeCreatedStopsTheOtherWorkers) {
  Damage(291);
  FaultyFileSystem faulty;
  const ScopedFileSystem installed(faulty);
  faulty.FailNth(FileOperation::Open, 1, "e000008.tie");
  EXPECT_FALSE(Extract("parallel"));
  ASSERT_TRUE(archive.extractionFailure());
  EXPECT_EQ(archive.extractionFailure()->Describe(), "f1\\s2\\e000008.tie: Access denied");
  // The package itself, a handle per worker, the entries up to the failing one and those
  // the other workers had taken meanwhile: far from all of them.
  EXPECT_LT(faulty.Calls(FileOperation::Open), kEntries / 2);
  std::vector<std::string> top = temp.List("parallel");
  EXPECT_EQ(top, (std::vector<std::string>{"f0/", "f1/", "f2/", "f3/", "f4/", "f5/", "f6/",
                                           "top000000.txt"}));
  EXPECT_EQ(temp.List("parallel/f1/s2"), std::vector<std::string>{});
}

// "f3" holds no entry of its own, only folders: the first entry inside it at any depth is
// the one that fails, and no worker writes into the folders that were never made.
TEST_F(ParallelExtractionTest, AFolderThatCannotBeMadeFailsTheFirstEntryInsideIt) {
  FaultyFileSystem faulty;
  const ScopedFileSystem installed(faulty);
  faulty.FailAlways(FileOperation::CreateFolder, "f3");
  EXPECT_FALSE(Extract("parallel"));
  ASSERT_TRUE(archive.extractionFailure());
  EXPECT_EQ(archive.extractionFailure()->Describe(), "f3\\s0\\e000003.tie: Access denied");
  EXPECT_EQ(Tree("parallel"), SequentialTree(false));
}

}  // namespace
}  // namespace vantrel
