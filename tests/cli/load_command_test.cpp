#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/cli/cli_run.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/battle_list_bytes.h"
#include "platform/path.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/game_world.h"
#include "tests/support/raw_zip.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::RunCommand;

class LoadCommandTest : public testing::GameWorldTest {
 protected:
  LoadCommandTest() {
    LayOutLauncher();
    temp.MakeFolder("XVT/TRAIN");
    WriteLastDir("/keep/me");
  }

  std::string Package(int gameByte) {
    testing::ZipBuilder zip(temp.Native("b.kzm").string());
    zip.Add("battle.kzb", testing::BattleListBytes(gameByte, 7, "First Strike", {"m1.tie"}))
        .Add("m1.tie", "m")
        .Add("Readme.txt", "r");
    zip.Close();
    return temp.Path("b.kzm");
  }

};

TEST_F(LoadCommandTest, StagesTheBattleAndSaysWhere) {
  const auto run = RunCommand(cli::LoadCommand, {Package(1)});
  EXPECT_EQ(run.status, 0);
  // The folder is shown with the system's separator, not the launcher's backslash.
  EXPECT_EQ(run.out, "X-Wing vs. TIE Fighter: battle staged in " + temp.SystemPath("XVT") + "\n" +
                         testing::OnlyXvtBattle("First Strike"));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(temp.List("XVT/KZMISS"), (std::vector<std::string>{"Battle.kzb", "m1.tie"}));
  EXPECT_EQ(temp.ReadFile("XVT/MISC/Readme.txt"), "r");
  EXPECT_FALSE(temp.Exists("launcher/Temp"));
  EXPECT_EQ(ReadLastDir(), "/keep/me");
}

// A play killed while the game ran left a plain mission and its journal; the next load
// finishes that play before it stages anything.
TEST_F(LoadCommandTest, AnInterruptedPlayIsFinishedFirst) {
  temp.WriteFile("XVT/TRAIN/left.tie", "plain");
  temp.WriteFile("XVT/VNTL___.jnl", "game=1\nmission=left.tie\n");
  testing::FakeDesktop desktop;
  const auto run = RunCommand(cli::LoadCommand, {Package(1)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(desktop.MessageTexts(),
            std::vector<std::string>{"The last play of X-Wing vs. TIE Fighter did not finish. Its "
                                     "1 plain mission in " + temp.SystemPath("XVT/TRAIN/") +
                                     " has been removed."});
  EXPECT_EQ(temp.List("XVT/TRAIN"), std::vector<std::string>{});
  EXPECT_FALSE(temp.Exists("XVT/VNTL___.jnl"));
  EXPECT_EQ(temp.List("XVT/KZMISS"), (std::vector<std::string>{"Battle.kzb", "m1.tie"}));
}

// A battle list of no game stages nothing: its files stay in Temp, and the battles that
// are installed are listed still.
TEST_F(LoadCommandTest, AnUnknownGameByteFailsAndLeavesTheFilesInTemp) {
  RunCommand(cli::LoadCommand, {Package(1)});
  const auto run = RunCommand(cli::LoadCommand, {Package(4)});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vantrel: the battle list names game 4, not one of 0 to 3; nothing was staged\n");
  EXPECT_EQ(run.out, testing::OnlyXvtBattle("First Strike"));
  EXPECT_EQ(temp.List("launcher/Temp"),
            (std::vector<std::string>{"Readme.txt", "battle.kzb", "m1.tie"}));
}

TEST_F(LoadCommandTest, AnUnsetGameFolderIsNamed) {
  settings.store().DeleteKeyTree(GameKey(GameId::XwingAlliance));
  const auto run = RunCommand(cli::LoadCommand, {Package(3)});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vantrel: the folder of X-Wing Alliance is not set (vantrel folders set xwa PATH)\n");
}

TEST_F(LoadCommandTest, APackageWithoutABattleListFails) {
  testing::ZipBuilder zip(temp.Native("nolist.kzm").string());
  zip.Add("m1.tie", "m");
  zip.Close();
  const auto run = RunCommand(cli::LoadCommand, {temp.Path("nolist.kzm")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vantrel: the package holds no battle list (battle.kzb); nothing was staged\n");
}

// A load that fails after the battle "First Strike" was installed: it must leave that
// battle as it was, and no Temp.
class FailedLoadTest : public LoadCommandTest {
 protected:
  FailedLoadTest() { RunCommand(cli::LoadCommand, {Package(1)}); }

  // A package for the same game whose second mission is `entry`, after whole entries
  // (one in folders of its own) and before another.
  std::string PackageWith(const testing::RawEntry& entry) {
    temp.WriteFile(
        "damaged.kzm",
        testing::RawZipBytes(
            {testing::StoredEntry(
                 "battle.kzb", testing::BattleListBytes(1, 9, "Second Wave", {"m1.tie", "m2.tie"})),
             testing::DeflatedEntry("m1.tie", "one"), testing::StoredEntry("maps/sub/m.map", "map"),
             entry, testing::StoredEntry("Readme.txt", "second")}));
    return temp.Path("damaged.kzm");
  }

  // Runs the load and checks all that must hold after it fails for `shownCause` (what
  // the message tells after the package).
  void ExpectRefused(const std::string& package, const std::string& shownCause) {
    const auto run = RunCommand(cli::LoadCommand, {package});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vantrel: nothing was staged from " + package + ": " + shownCause + "\n");
    EXPECT_EQ(run.out, testing::OnlyXvtBattle("First Strike"));
    EXPECT_EQ(temp.List("XVT/KZMISS"), (std::vector<std::string>{"Battle.kzb", "m1.tie"}));
    EXPECT_EQ(temp.ReadFile("XVT/KZMISS/m1.tie"), "m");
    EXPECT_EQ(temp.ReadFile("XVT/KZMISS/Battle.kzb"),
              testing::BattleListBytes(1, 7, "First Strike", {"m1.tie"}));
    EXPECT_EQ(temp.List("XVT/MISC"), (std::vector<std::string>{"Readme.txt"}));
    EXPECT_EQ(temp.ReadFile("XVT/MISC/Readme.txt"), "r");
    EXPECT_FALSE(temp.Exists("launcher/Temp"));
  }
};

TEST_F(FailedLoadTest, APackageWithADamagedEntryIsNotStaged) {
  using testing::RawEntry;
  struct Case {
    const char* label;
    RawEntry entry;
    std::string cause;
  };
  const RawEntry two = testing::StoredEntry("m2.tie", "two");
  RawEntry crc = two;
  crc.crc ^= 1;
  RawEntry truncated = two;
  truncated.uncompressedSize = 10;
  RawEntry corrupt = testing::DeflatedEntry("m2.tie", "two");
  corrupt.data = std::string(4, '\xFF');  // a block of the reserved type
  corrupt.compressedSize = 4;
  RawEntry brokenHeader = two;
  brokenHeader.brokenLocalHeader = true;
  RawEntry encrypted = two;
  encrypted.flags = 1;
  RawEntry bzip2 = two;
  bzip2.method = 12;
  RawEntry lzma = two;
  lzma.method = 14;
  // A megabyte of zeros deflates to a kilobyte; the directory claims 1000 bytes.
  RawEntry bomb = testing::DeflatedEntry("m2.tie", std::string(1 << 20, '\0'));
  bomb.uncompressedSize = 1000;
  std::string deep;
  for (int i = 0; i < 150; ++i) deep += "d/";
  const RawEntry longName = testing::StoredEntry(deep + "x", "deep");

  const std::string unpackable = ", which cannot be unpacked (only stored and deflate)";
  const Case cases[] = {
      {"CrcMismatch", crc, "m2.tie: CRC mismatch"},
      {"TruncatedData", truncated, "m2.tie: the data ends after 3 of 10 bytes"},
      {"CorruptData", corrupt, "m2.tie: damaged data (invalid block type)"},
      {"BrokenLocalHeader", brokenHeader, "m2.tie: its local header is broken"},
      {"Encrypted", encrypted, "m2.tie: encrypted; it cannot be unpacked without its password"},
      {"Bzip2", bzip2, "m2.tie: packed with compression method 12 (bzip2)" + unpackable},
      {"Lzma", lzma, "m2.tie: packed with compression method 14 (LZMA)" + unpackable},
      {"InflatesPastItsSize", bomb, "m2.tie: unpacks past its declared size of 1000 bytes"},
      // Cut to 260 characters, this name once ended in a separator and passed for a folder.
      {"NameLongerThanAPath", longName,
       platform::WithNativeSeparators(deep + "x") +
           ": the name is longer than a path may be (259 characters)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ExpectRefused(PackageWith(c.entry), c.cause);
  }
}

TEST_F(FailedLoadTest, APackageNeedingMoreThanTheFreeSpaceIsRefusedBeforeUnpacking) {
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  // Three megabytes of zeros, declared as such, in a package of a few kilobytes.
  const std::string package =
      PackageWith(testing::DeflatedEntry("m2.tie", std::string(3 << 20, '\0')));
  faulty.ReportFreeSpace((1 << 20) + 5, "Temp");
  ExpectRefused(package, temp.SystemPath("launcher/Temp") + ": needs 4 MB, 1 MB free");
  faulty.Heal();
  faulty.ReportFreeSpace(2 << 20, temp.Path("XVT"));
  ExpectRefused(package, temp.SystemPath("XVT") + ": needs 4 MB, 2 MB free");
  // Refused before anything was unpacked: not a byte was written.
  EXPECT_EQ(faulty.Calls(testing::FileOperation::FileWrite), 0);
}

TEST_F(FailedLoadTest, AWriteErrorStopsTheLoadWithTheSystemsCause) {
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.FailWritesAfter(2, "m2.tie");
  ExpectRefused(PackageWith(testing::StoredEntry("m2.tie", "two")),
                "m2.tie: Disk full");
}

TEST_F(FailedLoadTest, DeclaredSizesOfFourGibibytesAndMoreAreReadWhole) {
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.ReportFreeSpace(100 << 20, "Temp");
  // Five gibibytes declared in zip64 fields; cut to 32 bits they would be one.
  testing::RawEntry huge = testing::DeflatedEntry("m2.tie", std::string(1000, '\0'));
  huge.uncompressedSize = std::uint64_t{5} << 30;
  ExpectRefused(PackageWith(huge),
                temp.SystemPath("launcher/Temp") + ": needs 5121 MB, 100 MB free");
}

TEST_F(LoadCommandTest, AFolderMarkedOnlyByItsAttributesIsAFolder) {
  testing::RawEntry dosFolder = testing::StoredEntry("maps", "");
  dosFolder.externalAttributes = 0x10;
  testing::RawEntry unixFolder = testing::StoredEntry("tools", "");
  unixFolder.versionMadeBy = 0x031E;
  unixFolder.externalAttributes = 0040755u << 16;
  temp.WriteFile(
      "folders.kzm",
      testing::RawZipBytes(
          {testing::StoredEntry("battle.kzb", testing::BattleListBytes(1, 7, "Maps", {"m1.tie"})),
           testing::StoredEntry("m1.tie", "m"), dosFolder, testing::StoredEntry("maps/a.map", "a"),
           unixFolder, testing::StoredEntry("tools/t.txt", "t")}));
  const auto run = RunCommand(cli::LoadCommand, {temp.Path("folders.kzm")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(temp.List("XVT/KZMISS"), (std::vector<std::string>{"Battle.kzb", "m1.tie"}));
  // Folders of a package stay in Temp, with what they hold.
  EXPECT_EQ(temp.List("launcher/Temp"), (std::vector<std::string>{"maps/", "tools/"}));
  EXPECT_EQ(temp.ReadFile("launcher/Temp/maps/a.map"), "a");
  EXPECT_EQ(temp.ReadFile("launcher/Temp/tools/t.txt"), "t");
}

}  // namespace
}  // namespace vantrel
