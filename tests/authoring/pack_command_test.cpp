#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/authoring/package_contents.h"
#include "tests/cli/cli_run.h"

namespace vantrel {
namespace {

using testing::RunCommand;

TEST(PackCommand, SaysWhatItPacked) {
  testing::TempFolder temp;
  testing::WriteBattleFolder(temp);
  const testing::CliRun run = RunCommand(
      cli::PackCommand, {"--game", "XVT", "--name=Strike", "--key", "0x5A", temp.Path("battle")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            temp.Path("battle") +
                ".kzm: X-Wing vs. TIE Fighter battle \"Strike\", key 90, 3 missions, 8 entries\n");
  EXPECT_TRUE(temp.Exists("battle.kzm"));
}

TEST(PackCommand, TheCurrentFolderIsNamedByItsName) {
  testing::TempFolder temp;
  testing::WriteBattleFolder(temp);
  platform::FileSystem& files = platform::Files();
  const std::string previous = files.CurrentFolder();
  ASSERT_TRUE(files.SetCurrentFolder(temp.Path("battle")));
  const testing::CliRun run =
      RunCommand(cli::PackCommand, {"--game", "1", "--name", "Strike", "--output", "x.kzm", "."});
  const testing::CliRun named =
      RunCommand(cli::PackCommand, {"--game", "1", "--name", "Strike", "."});
  files.SetCurrentFolder(previous);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_TRUE(temp.Exists("battle/x.kzm"));
  EXPECT_TRUE(temp.Exists("battle.kzm"));
}

TEST(PackCommand, ARefusalWritesNothing) {
  testing::TempFolder temp;
  temp.WriteFile("battle/Readme.txt", "r");
  const testing::CliRun run =
      RunCommand(cli::PackCommand, {"--game", "tie", "--name", "Strike", temp.Path("battle")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vantrel: the folder holds no missions (*.tie files); nothing was written\n");
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"battle/"}));
}

TEST(PackCommand, BadArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"--name", "S", "f"},
      {"--game", "tie", "f"},
      {"--game", "tie", "--name", "S"},
      {"--game", "tiefighter", "--name", "S", "f"},
      {"--game", "tie", "--name", "S", "--key", "256", "f"},
      {"--game", "tie", "--name", "S", "--key", "0x1G", "f"},
      {"--game", "tie", "--name", "S", "f", "g"},
      {"--game", "tie", "--name", "S", "--zip", "f"},
      {"--game", "tie", "--name", "S", "f/.."},
  };
  for (const std::vector<std::string>& words : bad) {
    EXPECT_EQ(RunCommand(cli::PackCommand, words).status, 2) << words.back();
  }
}

}  // namespace
}  // namespace vantrel
