#include "launcher/play_game.h"

#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/game_world.h"
#include "tests/support/hex.h"

namespace vantrel {
namespace {

using testing::Hex;

// What a play needs to know of each game, typed here from the games' facts rather than
// taken from the code under test.
struct GameSetup {
  GameId game;
  const char* exe;
  std::size_t size;
  const char* missions;
  const char* pilot;     // the pilot file the play seals
  const char* config;    // the configuration file naming the last pilot, if any
  std::size_t a, b, seal;
  std::uint32_t patchOffset;
  std::string patchBytes;
  const char* argument;  // what the game is started with
};

void PrintTo(const GameSetup& setup, std::ostream* out) {
  *out << Game(setup.game).commandLineName;
}

// TIE Fighter 95's identification shows the executable's path first, in a box of its own.
std::vector<std::string> WithPathBox(const GameSetup& s, const std::string& exePath,
                                     std::vector<std::string> texts) {
  if (s.game == GameId::TieFighter) texts.insert(texts.begin(), exePath);
  return texts;
}

std::vector<GameSetup> Setups() {
  return {
      {GameId::TieFighter, "TIE95.EXE", 1'071'616, "MISSION", "LUKE.TFR", nullptr, 0x0660,
       0x0668, 0x0E73, 0x0EA2EC, std::string("TIEINT\0", 7), ""},
      {GameId::XwingVsTie, "Z_XVT__.EXE", 1'422'336, "TRAIN", "Luke0.plt", "config.cfg",
       0x127DA, 0x127EA, 0x109D, 0x12AB8F, std::string("TIEADV\0", 7), " skipintro"},
      {GameId::BalanceOfPower, "Z_XVT__.EXE", 1'405'952, "TRAIN", "Luke0.pl2",
       "config2.cfg", 0x14176, 0x14186, 0x109D, 0x11AFA5, std::string("TIEADV\0", 7),
       " skipintro"},
      {GameId::XwingAlliance, "XWINGALLIANCE.EXE", 2'151'936, "MISSIONS", "Luke0.plt",
       "config.cfg", 0x1148A, 0x1149A, 0x1B3B9, 0x15772E, std::string("\x90\x90", 2), ""},
  };
}

GameOptions OptionFor(GameId game) {
  GameOptions options;
  options.enableTieRebelFighters = game == GameId::TieFighter;
  options.enableXvtTransports = game == GameId::XwingVsTie;
  options.enableBopTransports = game == GameId::BalanceOfPower;
  options.enableXwaBriefingAudio = game == GameId::XwingAlliance;
  return options;
}

std::string StandInBytes() {
  std::ifstream in(VANTREL_STAND_IN_PLAYER, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A launcher and a game installed for a play, with the window, the desktop and the
// status line the play reports to.
class PlayWorld : public testing::GameWorld {
 public:
  PlayWorld() { LayOutLauncher(); }

  // `relative` in the folder of the game installed.
  std::string At(const std::string& relative) const { return In(setup_.game, relative); }
  std::string ExePath() const { return temp.Path(FolderOf(setup_.game) + "\\" + setup_.exe); }

  // Installs the game: the stand-in padded to the release size, its mission folder, the
  // pilot and its configuration file.
  void Install(const GameSetup& s) {
    setup_ = s;
    std::string exe = StandInBytes();
    ASSERT_FALSE(exe.empty());
    ASSERT_LT(exe.size(), 0xEA000u) << "the stand-in must fit below the first patch row";
    exe.resize(s.size, '\0');
    executable = exe;
    temp.WriteFile(At(s.exe), exe);
    std::filesystem::permissions(temp.Native(At(s.exe)), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    temp.MakeFolder(At(s.missions));
    std::string pilot(0x1C000, '\0');
    pilot[1] = 'u';
    pilot[s.a] = 0x10;
    pilot[s.b] = 0x22;
    temp.WriteFile(At(s.pilot), pilot);
    if (s.config != nullptr) temp.WriteFile(At(s.config), "lastpilot Luke\r\nsound 1\r\n");
  }

  void StageBattle(int gameByte) {
    temp.WriteFile(At("KZMISS/Battle.kzb"),
                   testing::BattleListBytes(gameByte, 0x5A, "Test Battle", {"m1.tie", "m2.tie"}));
    temp.WriteFile(At("KZMISS/m1.tie"), testing::Enciphered("first mission", 0x5A));
    temp.WriteFile(At("KZMISS/m2.tie"), testing::Enciphered("second", 0x5A));
  }

  void Probe(const std::string& requests) { temp.WriteFile(At("probe.txt"), requests); }
  std::string Played() { return temp.ReadFile(At("played.log")).value_or(""); }

  testing::FakeDesktop desktop;
  testing::FakeWindow window;
  testing::FakeStatusLine status;
  // The play starts half an hour before now, so the pilot the game saves is written in
  // another minute than the one the pilots were stamped with.
  platform::Clock halfAnHourAgo{
      [] { return platform::SystemClockTime() - 30ull * 60 * 10'000'000; }};
  platform::ScopedService<platform::Clock> clock{halfAnHourAgo};
  std::string executable;
  GameSetup setup_{};
};

class PlayGameTest : public ::testing::TestWithParam<GameSetup>, public PlayWorld {};

TEST_P(PlayGameTest, RunsTheWholeSequenceAndLeavesOnlyTheSeal) {
  const GameSetup& s = GetParam();
  Install(s);
  StageBattle(static_cast<int>(s.game));
  Probe("file " + std::string(s.missions) + "/m1.tie\nself " + std::to_string(s.patchOffset) +
        " " + std::to_string(s.patchBytes.size()) + "\n" +
        (s.game == GameId::TieFighter ? "touch LUKE.TFR 4\n" : ""));

  EXPECT_EQ(PlayGame(window, status, s.game, OptionFor(s.game)), PlayResult::Played);

  // While the game ran: the plain mission and the patch were in place.
  const std::string played = Played();
  EXPECT_NE(played.find("arguments" + std::string(s.argument) + "\n"), std::string::npos) << played;
  EXPECT_NE(played.find("file " + std::string(s.missions) + "/m1.tie 13 " + Hex("first mission")),
            std::string::npos) << played;
  EXPECT_NE(played.find("self " + std::to_string(s.patchOffset) + " " + Hex(s.patchBytes)),
            std::string::npos) << played;

  // Afterwards: the plain missions are gone, the executable is as installed, the pilot is
  // sealed and the status line is back at "Idle".
  EXPECT_TRUE(temp.List(At(s.missions)).empty());
  EXPECT_EQ(temp.ReadFile(At(s.exe)), executable);
  EXPECT_FALSE(temp.Exists(At("VNTL___.tmp")));
  const std::string pilot = *temp.ReadFile(At(s.pilot));
  const std::uint8_t n = s.game == GameId::TieFighter ? 'U' : 'u';
  EXPECT_EQ(static_cast<std::uint8_t>(pilot[s.seal]), static_cast<std::uint8_t>((n - 0x10) ^ 0x22));
  EXPECT_EQ(status.History(),
            (std::vector<std::string>{"Decrypting missions...", "Idle", "Game running...",
                                      "Cleaning up files...", "Idle"}));
  EXPECT_EQ(desktop.MessageTexts(), WithPathBox(s, ExePath(), {}));
  if (s.game == GameId::BalanceOfPower) {
    EXPECT_EQ(window.timerLog(), (std::vector<std::string>{"start 1 60000", "stop 1"}));
  } else {
    EXPECT_TRUE(window.timerLog().empty());
  }
}

TEST_P(PlayGameTest, WithoutABattleTheGameStillRunsPatchedAndIsRestored) {
  const GameSetup& s = GetParam();
  Install(s);
  Probe("self " + std::to_string(s.patchOffset) + " " + std::to_string(s.patchBytes.size()) + "\n");
  EXPECT_EQ(PlayGame(window, status, s.game, OptionFor(s.game)), PlayResult::Played);
  EXPECT_NE(Played().find("self " + std::to_string(s.patchOffset) + " " + Hex(s.patchBytes)),
            std::string::npos);
  EXPECT_EQ(temp.ReadFile(At(s.exe)), executable);
  EXPECT_EQ(status.History(), (std::vector<std::string>{"Game running...", "Idle"}));
}

TEST_P(PlayGameTest, AFailedDecryptionPutsTheExecutableBackAndDoesNotPlay) {
  const GameSetup& s = GetParam();
  Install(s);
  StageBattle((static_cast<int>(s.game) + 1) % 4);  // a battle list of another game
  EXPECT_EQ(PlayGame(window, status, s.game, OptionFor(s.game)), PlayResult::DecryptionFailed);
  EXPECT_EQ(Played(), "");
  EXPECT_EQ(temp.ReadFile(At(s.exe)), executable);
  EXPECT_FALSE(temp.Exists(At("VNTL___.tmp")));
  std::vector<std::string> expected =
      WithPathBox(s, ExePath(), {"This battle list is not for this game"});
  if (s.game == GameId::TieFighter) expected.push_back("No missions copied");
  EXPECT_EQ(desktop.MessageTexts(), expected);
  if (s.game == GameId::TieFighter) {
    EXPECT_EQ(desktop.messages().back().title, "Error");
    EXPECT_EQ(desktop.messages().back().icon, ui::Icon::None);
  }
  // The Balance of Power timer keeps marking the pilot once a minute.
  EXPECT_EQ(window.timers().count(kBopTimer), s.game == GameId::BalanceOfPower ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryGame, PlayGameTest, ::testing::ValuesIn(Setups()),
                         [](const ::testing::TestParamInfo<GameSetup>& info) {
                           return std::string(Game(info.param.game).commandLineName);
                         });

// X-Wing vs. TIE Fighter installed, played with its option unless told otherwise.
class XvtWorld : public PlayWorld {
 public:
  XvtWorld() { Install(Setups()[1]); }
  PlayResult PlayXvt(const GameOptions& options = OptionFor(GameId::XwingVsTie)) {
    return PlayGame(window, status, GameId::XwingVsTie, options);
  }
};

class PlayGameFailureTest : public ::testing::Test, public XvtWorld {};

// A play that stops before the game: what it is told, and the executable and the game's
// folder as they were, with no backup, journal or plain mission left and nothing run.
TEST(PlayGameFailure, APlayStoppedBeforeTheGameLeavesTheFolderAsItWas) {
  using Names = std::vector<std::string>;
  const Names installed = {"KZMISS/", "Luke0.plt", "TRAIN/", "Z_XVT__.EXE", "config.cfg"};
  const struct {
    const char* situation;
    std::function<void(XvtWorld&, testing::FaultyFileSystem&)> arrange;
    PlayResult result;
    Names messages;
    Names left;
  } kCases[] = {
      {"missing executable",
       [](auto& t, auto&) { std::filesystem::remove(t.temp.Native(t.At("Z_XVT__.EXE"))); },
       PlayResult::ExecutableMissing, {}, {"KZMISS/", "Luke0.plt", "TRAIN/", "config.cfg"}},
      {"another release",
       [](auto& t, auto&) { t.temp.WriteFile(t.At("Z_XVT__.EXE"), t.executable + "x"); },
       PlayResult::WrongVersion, {"This is not X-wing vs TIE Fighter 1.14!"}, installed},
      {"backup fails",
       [](auto&, auto& faulty) { faulty.FailAlways(testing::FileOperation::Open, "VNTL___"); },
       PlayResult::BackupFailed, {"Error backing up X-wing vs TIE Fighter executable!"},
       installed},
      // Nothing was written, so the backup has nothing to give back and goes with the
      // journal.
      {"read-only executable",
       [](auto& t, auto&) {
         ASSERT_TRUE(platform::Files().SetReadOnly(t.temp.Path("XVT\\Z_XVT__.EXE"), true));
       },
       PlayResult::PatchFailed, {"Error writing to X-wing vs TIE Fighter executable!"}, installed},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.situation);
    XvtWorld t;
    t.StageBattle(1);
    testing::FaultyFileSystem faulty;
    testing::ScopedFileSystem scoped(faulty);
    c.arrange(t, faulty);
    const std::optional<std::string> before = t.temp.ReadFile(t.At("Z_XVT__.EXE"));
    EXPECT_EQ(t.PlayXvt(), c.result);
    EXPECT_EQ(t.desktop.MessageTexts(), c.messages);
    for (const testing::ShownMessage& message : t.desktop.messages()) {
      EXPECT_EQ(message.title, "VNTL");
      EXPECT_EQ(message.icon, ui::Icon::Exclamation);
    }
    EXPECT_TRUE(t.temp.ReadFile(t.At("Z_XVT__.EXE")) == before);
    EXPECT_EQ(t.temp.List(t.FolderOf(GameId::XwingVsTie)), c.left);
    EXPECT_EQ(t.temp.List(t.At("TRAIN")), Names{});
    EXPECT_EQ(t.Played(), "");
    EXPECT_TRUE(t.status.History().empty());
  }
}

TEST_F(PlayGameFailureTest, AnExecutableThatCannotBePutBackIsReportedAndPutBackOnceItCanBe) {
  StageBattle(1);
  {
    testing::FaultyFileSystem faulty;
    // The first move of the backup renames the finished copy into place; the second
    // would restore it.
    faulty.FailNth(testing::FileOperation::MoveFile, 2, "VNTL___.tmp");
    testing::ScopedFileSystem scoped(faulty);
    EXPECT_EQ(PlayXvt(), PlayResult::Played);
  }
  const std::string exe = temp.SystemPath("XVT/Z_XVT__.EXE");
  EXPECT_EQ(desktop.MessageTexts(),
            (std::vector<std::string>{
                "Could not put back the executable " + exe + " after the game; it is still "
                "patched. The executable as installed is kept in " +
                temp.SystemPath("XVT/VNTL___.tmp") + ": copy it over " + exe +
                " before playing again."}));
  EXPECT_EQ(desktop.messages()[0].icon, ui::Icon::Exclamation);
  EXPECT_TRUE(temp.ReadFile(At("VNTL___.tmp")) == executable);
  EXPECT_FALSE(temp.ReadFile(At("Z_XVT__.EXE")) == executable);
  EXPECT_TRUE(temp.Exists(At("VNTL___.jnl")));
  EXPECT_TRUE(temp.List(At("TRAIN")).empty());
  EXPECT_EQ(status.History().back(), "Idle");

  // While the executable cannot be put back yet (read-only) the game does not start: a
  // new backup would be taken of the patched file.
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\Z_XVT__.EXE"), true));
  std::filesystem::remove(temp.Native(At("played.log")));
  EXPECT_EQ(PlayXvt(GameOptions{}), PlayResult::EarlierPlayUnfinished);
  EXPECT_EQ(Played(), "");
  const std::string last = desktop.MessageTexts().back();
  EXPECT_EQ(last.rfind("The last play of X-Wing vs. TIE Fighter did not finish. Vantrel could not "
                       "put back its executable: ", 0), 0u) << last;
  EXPECT_TRUE(temp.Exists(At("VNTL___.jnl")));
  EXPECT_TRUE(temp.ReadFile(At("VNTL___.tmp")) == executable);

  // The journal it kept lets the next play put the executable back before anything else.
  // (The backup was taken through the test's faulty file system, which keeps no
  // permissions, so on Linux the stand-in put back cannot start.)
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\Z_XVT__.EXE"), false));
  EXPECT_NE(PlayXvt(GameOptions{}), PlayResult::EarlierPlayUnfinished);
  EXPECT_TRUE(temp.ReadFile(At("Z_XVT__.EXE")) == executable);
  EXPECT_EQ(desktop.MessageTexts().back(),
            "The last play of X-Wing vs. TIE Fighter did not finish. Its executable " + exe +
                " has been put back as it was before that play.");
  EXPECT_FALSE(temp.Exists(At("VNTL___.tmp")));
  EXPECT_FALSE(temp.Exists(At("VNTL___.jnl")));
}

TEST_F(PlayGameFailureTest, WithoutOptionsTheExecutableIsNeitherCopiedNorWritten) {
  StageBattle(1);
  EXPECT_EQ(PlayXvt(GameOptions{}), PlayResult::Played);
  EXPECT_NE(Played().find("arguments skipintro\n"), std::string::npos);
  EXPECT_EQ(temp.ReadFile(At("Z_XVT__.EXE")), executable);
  EXPECT_FALSE(temp.Exists(At("VNTL___.tmp")));
}

TEST_F(PlayGameFailureTest, AGameThatCannotStartStillGetsTheAfterGameSteps) {
  StageBattle(1);
  // A folder where the stand-in's log would go keeps nothing from running it; an
  // executable that is not a program cannot be started at all.
  temp.WriteFile(At("Z_XVT__.EXE"), std::string(1'422'336, 'x'));
  EXPECT_EQ(PlayXvt(), PlayResult::GameNotStarted);
  EXPECT_TRUE(temp.List(At("TRAIN")).empty());
  EXPECT_EQ(temp.ReadFile(At("Z_XVT__.EXE")), std::string(1'422'336, 'x'));
  EXPECT_EQ(status.text(), "Idle");
}

// Both TIE Fighter 95 options at once (the menu keeps them apart, the sequence does not):
// the executable is backed up once, before the first patch, so both patches are in place
// while the game runs and the executable as installed comes back afterwards.
class PlayTieFighterTest : public PlayGameTest {};

TEST_F(PlayTieFighterTest, BothOptionsArePatchedOverOneBackup) {
  const GameSetup s = Setups()[0];
  Install(s);
  Probe("self " + std::to_string(0x0EA2EC) + " 7\nself " + std::to_string(0x0EB195) + " 1\n");
  GameOptions both;
  both.enableTieRebelFighters = true;
  both.enableTieTransports = true;
  EXPECT_EQ(PlayGame(window, status, s.game, both), PlayResult::Played);
  const std::string played = Played();
  EXPECT_NE(played.find("self " + std::to_string(0x0EA2EC) + " " + Hex(std::string("TIEINT\0", 7))),
            std::string::npos) << played;
  EXPECT_NE(played.find("self " + std::to_string(0x0EB195) + " 2C"), std::string::npos) << played;
  EXPECT_EQ(temp.ReadFile(At(s.exe)), executable);
  EXPECT_FALSE(temp.Exists(At("VNTL___.tmp")));
  EXPECT_EQ(desktop.MessageTexts(), WithPathBox(s, ExePath(), {}));
}

}  // namespace
}  // namespace vantrel
