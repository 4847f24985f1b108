// The causes `vantrel` tells: after a message of the launcher, a line of two spaces with
// the path and the system's text; after its own reasons, the cause behind a colon. Causes
// a healthy disk never gives (a full disk, a refused folder) come from a failing file
// system over the real one.
#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pilots/xwa_pilot_file.h"
#include "platform/system_error.h"
#include "tests/cli/cli_run.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::FileOperation;

// What the system says of a file that is not there.
std::string NotFoundText() {
#ifdef _WIN32
  return platform::ErrorFromWin32(2).text;  // ERROR_FILE_NOT_FOUND
#else
  return platform::ErrorFromErrno(ENOENT).text;
#endif
}

class FailureCausesTest : public testing::GameWorldTest {
 protected:
  FailureCausesTest() {
    LayOutLauncher();
    testing::ZipBuilder zip(temp.Native("b.kzm").string());
    zip.Add("battle.kzb", testing::BattleListBytes(1, 7, "First Strike", {"m1.tie"}))
        .Add("m1.tie", testing::Enciphered("mission", 7));
    zip.Close();
    // X-Wing vs. TIE Fighter with its battle staged, played without options: only the
    // executable's presence counts.
    temp.WriteFile("XVT/Z_XVT__.EXE", "MZ");
    temp.MakeFolder("XVT/TRAIN");
    temp.WriteFile("XVT/KZMISS/Battle.kzb", testing::BattleListBytes(1, 7, "Strike", {"m1.tie"}));
    temp.WriteFile("XVT/KZMISS/m1.tie", testing::Enciphered("mission", 7));
    temp.WriteFile("XWA/Luke0.plt", NewXwaPilotFile("Luke", false));
  }

  ui::ConsoleDesktop console{ui::ConsoleOptions{}};
  platform::ScopedService<ui::Desktop> desktop{console};
  testing::FaultyFileSystem files;
  testing::ScopedFileSystem scopedFiles{files};
};

TEST_F(FailureCausesTest, EachFailureIsFollowedByItsPathAndTheSystemsText) {
  using Command = int (*)(const cli::Options&, const std::vector<std::string>&);
  struct Case {
    const char* what;
    std::function<void()> fault;
    Command command;
    std::vector<std::string> words;
    std::string err;
  };
  const std::string package = temp.Path("b.kzm");
  const Case cases[] = {
      {"a missing package", [] {}, cli::LoadCommand, {temp.Path("missing.kzm")},
       "vantrel: cannot open package " + temp.Path("missing.kzm") + ": " + NotFoundText() + "\n"},
      {"an unreadable package", [&] { files.FailAlways(FileOperation::Open, "b.kzm"); },
       cli::LoadCommand, {package},
       "vantrel: cannot open package " + package + ": Access denied\n"},
      {"a file that is no archive", [&] { temp.WriteFile("junk.kzm", "no archive"); },
       cli::LoadCommand, {temp.Path("junk.kzm")},
       "vantrel: cannot open package " + temp.Path("junk.kzm") + ": not a ZIP archive\n"},
      {"a launcher folder where Temp cannot be made",
       [&] { files.FailAlways(FileOperation::CreateFolder, "Temp"); }, cli::LoadCommand, {package},
       "vantrel: " + package + ": not every entry could be unpacked into " +
           temp.SystemPath("launcher/Temp") + ": Access denied\n"
           "vantrel: nothing was staged\n"},
      {"a mission folder on a full disk", [&] { files.FailWritesAfter(0, "TRAIN"); },
       cli::PlayCommand, {"xvt"},
       "VNTL: Error writing new mission!\n  " + temp.SystemPath("XVT/TRAIN/m1.tie") +
           ": Disk full\n"},
      {"a read-only mission folder",
       [&] { files.FailAlways(FileOperation::Open, "TRAIN\\m1"); }, cli::PlayCommand, {"xvt"},
       "VNTL: Error writing new mission!\n  " + temp.SystemPath("XVT/TRAIN/m1.tie") +
           ": Access denied\n"},
      {"an executable that cannot be read",
       [&] { files.FailAlways(FileOperation::Open, "Z_XVT__"); }, cli::PlayCommand, {"xvt"},
       "vantrel: cannot read the executable of X-Wing vs. TIE Fighter " +
           temp.SystemPath("XVT/Z_XVT__.EXE") + ": Access denied\n"},
      {"a configuration file that cannot be replaced",
       [&] { files.FailAlways(FileOperation::Open, "CONFIG___"); }, cli::PilotsCommand,
       {"select", "luke"},
       "vantrel: cannot make Luke the pilot X-Wing Alliance starts with: " +
           temp.SystemPath("XWA/CONFIG___.TMP") + ": Access denied\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.fault();
    const testing::CliRun run = testing::RunCommand(c.command, c.words);
    files.Heal();
    std::filesystem::remove_all(temp.Native("launcher/Temp"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, c.err);
  }
  // A missing executable is missing, and says so without a cause.
  std::filesystem::remove(temp.Native("XVT/Z_XVT__.EXE"));
  EXPECT_EQ(testing::RunCommand(cli::PlayCommand, {"xvt"}).err,
            "vantrel: the executable of X-Wing vs. TIE Fighter is not in its folder \"" +
                temp.SystemPath("XVT") + "\"\n");
}

}  // namespace
}  // namespace vantrel
