#include "games/patches.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "games/backup.h"
#include "games/executables.h"
#include "core/settings.h"
#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/games/game_folders.h"

namespace vantrel {
namespace {

using testing::Bytes;

constexpr std::array<PatchOption, 5> kAllOptions = {
    PatchOption::TieRebelFighters, PatchOption::TieTransports, PatchOption::XvtTransports,
    PatchOption::BopTransports, PatchOption::XwaBriefingAudio};

const std::string kTieInt("TIEINT\0", 7);
const std::string kTieDlx("TIEDLX\0", 7);
const std::string kTieAdv("TIEADV\0", 7);

// Rows typed from the games' patch lists, checked through the named operations.
struct TypedPatch {
  const char* patch;
  bool (*apply)();
  GameId game;
  std::vector<std::pair<std::uint32_t, std::string>> rows;  // offset, bytes
};

const std::vector<TypedPatch>& TypedPatches() {
  static const std::vector<TypedPatch> patches = {
      {"rebel fighters", PatchTieRebelFighters, GameId::TieFighter,
       {{0x0EA2EC, kTieInt}, {0x0EA3D0, Bytes({0x2C})}, {0x0EA5AD, kTieDlx},
        {0x0EAFCF, Bytes({0x89, 0x8D, 0x00, 0x02, 0x01, 0x03, 0x02, 0x00})},
        {0x0EAFDF, Bytes({0x02})}, {0x0F240B, kTieInt}}},
      {"TIE transports", PatchTieTransports, GameId::TieFighter,
       {{0x0EB195, Bytes({0x2C})}, {0x0EB63C, Bytes({0x8B, 0x8D})},
        {0x0EB664, Bytes({0x02, 0x01, 0x03, 0x02, 0x02})}, {0x0EB729, Bytes({0x8D, 0x8B})},
        {0x0EC40F, Bytes({0x04, 0x02})}, {0x0EC4E3, kTieDlx}, {0x0EC4FE, Bytes({0x05})}}},
      {"XvT transports", PatchXvtTransports, GameId::XwingVsTie,
       {{0x12AB8F, kTieAdv}, {0x12B135, Bytes({0x02, 0x01, 0x03, 0x02, 0x02})},
        {0x12BF45, Bytes({0x05})}}},
      {"BoP transports", PatchBopTransports, GameId::BalanceOfPower,
       {{0x11AFA5, kTieAdv}, {0x11B0BD, Bytes({0x04})},
        {0x11B5B7, Bytes({0x02, 0x01, 0x03, 0x02, 0x02})}, {0x11C4D5, Bytes({0x05})}}},
      {"XWA briefing audio", PatchXwaBriefingAudio, GameId::XwingAlliance,
       {{0x15772E, Bytes({0x90, 0x90})}}},
  };
  return patches;
}

bool WithinARow(const Patch& patch, std::size_t offset) {
  return std::any_of(patch.rows.begin(), patch.rows.end(), [&](const PatchRow& row) {
    return offset >= row.offset && offset < row.offset + row.bytes.size();
  });
}

class PatchesTest : public testing::GameFoldersTest {};

TEST_F(PatchesTest, EachOptionWritesItsTypedRows) {
  for (const TypedPatch& patch : TypedPatches()) {
    WriteRelease(patch.game);
    ASSERT_TRUE(patch.apply()) << patch.patch;
    const std::optional<std::string> patched = ReadExecutable(patch.game);
    ASSERT_TRUE(patched.has_value());
    for (const auto& [offset, bytes] : patch.rows) {
      EXPECT_EQ(patched->substr(offset, bytes.size()), bytes) << patch.patch << " at " << offset;
    }
  }
}

TEST_F(PatchesTest, RowsNeverOverlapAndLieInsideTheRelease) {
  for (PatchOption option : kAllOptions) {
    const Patch& patch = PatchFor(option);
    SCOPED_TRACE(Game(patch.game).name);
    std::vector<PatchRow> rows(patch.rows.begin(), patch.rows.end());
    std::sort(rows.begin(), rows.end(),
              [](const PatchRow& a, const PatchRow& b) { return a.offset < b.offset; });
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_FALSE(rows[i].bytes.empty());
      if (i + 1 < rows.size()) {
        EXPECT_LE(rows[i].offset + rows[i].bytes.size(), rows[i + 1].offset);
      }
    }
    EXPECT_LE(rows.back().offset + rows.back().bytes.size(),
              testing::kReleaseSizes[Index(patch.game)]);
  }
}

TEST_F(PatchesTest, CraftNamesAreSevenByteFields) {
  int names = 0;
  for (PatchOption option : kAllOptions) {
    for (const PatchRow& row : PatchFor(option).rows) {
      if (row.bytes.substr(0, 3) != "TIE") continue;
      ++names;
      EXPECT_TRUE(row.bytes == kTieInt || row.bytes == kTieDlx || row.bytes == kTieAdv)
          << "row at " << row.offset;
    }
  }
  // 6 in the rebel fighters rows, 7 in the TIE transports rows, 5 in each of the others.
  EXPECT_EQ(names, 6 + 7 + 5 + 5);
}

// Each option patches its game's executable with its rows; the pattern holds none of the
// bytes the rows write, so each row byte is a change.
TEST_F(PatchesTest, ChangesExactlyTheBytesOfItsRowsAndNothingElse) {
  struct Case {
    PatchOption option;
    GameId game;
    std::size_t rows;
    std::size_t changedBytes;
  };
  const Case cases[] = {
      {PatchOption::TieRebelFighters, GameId::TieFighter, 19, 62},
      {PatchOption::TieTransports, GameId::TieFighter, 45, 99},
      {PatchOption::XvtTransports, GameId::XwingVsTie, 17, 52},
      {PatchOption::BopTransports, GameId::BalanceOfPower, 17, 52},
      {PatchOption::XwaBriefingAudio, GameId::XwingAlliance, 1, 2},
  };
  for (const Case& c : cases) {
    const Patch& patch = PatchFor(c.option);
    SCOPED_TRACE(Game(c.game).name);
    EXPECT_EQ(patch.game, c.game);
    EXPECT_EQ(patch.rows.size(), c.rows);
    const std::string original = WriteRelease(c.game);
    ASSERT_TRUE(ApplyPatch(c.option));
    const std::optional<std::string> patched = ReadExecutable(c.game);
    ASSERT_TRUE(patched.has_value());
    ASSERT_EQ(patched->size(), original.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < original.size(); ++i) {
      if ((*patched)[i] == original[i]) continue;
      ++changed;
      EXPECT_TRUE(WithinARow(patch, i)) << "byte changed outside the rows at " << i;
    }
    for (const PatchRow& row : patch.rows) {
      EXPECT_EQ(patched->substr(row.offset, row.bytes.size()), row.bytes);
    }
    EXPECT_EQ(changed, c.changedBytes);
  }
}

TEST_F(PatchesTest, RebelFightersChangeAtMostSixtyTwoBytesOfAnyRelease) {
  // With content that already holds some of the row bytes, fewer bytes change.
  std::string original(testing::kReleaseSizes[0], '\0');
  for (std::size_t i = 0; i < original.size(); ++i) original[i] = static_cast<char>(i * 7);
  temp.WriteFile(ExecutableOf(GameId::TieFighter), original);
  ASSERT_TRUE(PatchTieRebelFighters());
  const std::optional<std::string> patched = ReadExecutable(GameId::TieFighter);
  ASSERT_TRUE(patched.has_value());
  ASSERT_EQ(patched->size(), original.size());
  std::size_t changed = 0;
  for (std::size_t i = 0; i < original.size(); ++i) changed += (*patched)[i] != original[i];
  EXPECT_GT(changed, 0u);
  EXPECT_LE(changed, 62u);
}

TEST_F(PatchesTest, LeavesTheOtherGameOfTheSameExecutableNameAlone) {
  const std::string xvt = WriteRelease(GameId::XwingVsTie);
  const std::string bop = WriteRelease(GameId::BalanceOfPower);
  ASSERT_TRUE(PatchXvtTransports());
  EXPECT_EQ(ReadExecutable(GameId::BalanceOfPower), bop);
  EXPECT_NE(ReadExecutable(GameId::XwingVsTie), xvt);

  WriteRelease(GameId::XwingVsTie);
  ASSERT_TRUE(PatchBopTransports());
  EXPECT_EQ(ReadExecutable(GameId::XwingVsTie), xvt);
  EXPECT_NE(ReadExecutable(GameId::BalanceOfPower), bop);
}

// A read-only executable, or one too short for the rows (writing past its end would grow
// it; the rows are for the release only), is refused and left as it was.
TEST_F(PatchesTest, RefusesAnExecutableItCannotPatchAndWritesNothing) {
  const std::string tie = WriteRelease(GameId::TieFighter);
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path(ExecutableOf(GameId::TieFighter)), true));
  EXPECT_FALSE(PatchTieRebelFighters());
  EXPECT_FALSE(PatchTieTransports());
  EXPECT_EQ(ReadExecutable(GameId::TieFighter), tie);
  const std::string xwa = WriteExecutable(GameId::XwingAlliance, 0x15772E + 1);
  EXPECT_FALSE(PatchXwaBriefingAudio());
  EXPECT_EQ(ReadExecutable(GameId::XwingAlliance), xwa);
}

TEST_F(PatchesTest, ARowThatCannotBeWrittenFailsThePatchAndSaysWhy) {
  WriteRelease(GameId::TieFighter);
  testing::FaultyFileSystem faulty;
  testing::ScopedFileSystem installed(faulty);
  faulty.FailNth(testing::FileOperation::FileWrite, 2, {}, testing::DiskFull());
  platform::ClearLastFailure();
  EXPECT_FALSE(PatchTieRebelFighters());
  EXPECT_EQ(platform::LastFailure()->Describe(), GameExePath(GameId::TieFighter) + ": Disk full");
}

TEST_F(PatchesTest, FailsWithoutAnExecutableAndCreatesNone) {
  EXPECT_FALSE(PatchXwaBriefingAudio());
  EXPECT_TRUE(temp.List("XWA").empty());
}

TEST_F(PatchesTest, FindsTheExecutableWhateverTheLetterCaseOfItsName) {
  const std::string original = testing::PatternBytes(testing::kReleaseSizes[0]);
  temp.WriteFile("TIE\\tie95.exe", original);
  EXPECT_TRUE(PatchTieTransports());
  EXPECT_EQ(temp.ReadFile("TIE\\tie95.exe")->substr(0x0EC4FE, 1), Bytes({0x05}));
}

TEST_F(PatchesTest, APlayLeavesTheExecutableAsItWas) {
  for (PatchOption option : kAllOptions) {
    const GameId game = PatchFor(option).game;
    SCOPED_TRACE(Game(game).name);
    const std::string original = WriteRelease(game, 5);
    ASSERT_TRUE(IdentifyGameExe(game));
    ASSERT_TRUE(BackupGameExe(game));
    ASSERT_TRUE(ApplyPatch(option));
    ASSERT_NE(ReadExecutable(game), original);
    EXPECT_TRUE(RestoreGameExe(game));
    EXPECT_EQ(ReadExecutable(game), original);
    EXPECT_FALSE(temp.Exists(BackupOf(game)));
  }
}

}  // namespace
}  // namespace vantrel
