// Deciphering a staged battle: the plain copies written, and what the player sees on the
// way (status line, progress window, messages), for success and for every failure,
// with exactly what is left on disk.
#include "battle/decrypt_missions.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/battle/battle_fixture.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/shown_message.h"

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;
using Positions = std::vector<int>;
using testing::Mission;
using testing::Snapshot;

class DecryptMissionsTest : public testing::BattleTest {
 protected:
  // The one message shown: owned by the main window, titled "VNTL", no icon, OK.
  void ExpectOnlyMessage(const std::string& text, const testing::FakeDesktop& shown) {
    testing::ExpectOnlyMessage(shown, {&window, text, "VNTL", ui::Icon::None, ui::Buttons::Ok});
  }
  void ExpectOnlyMessage(const std::string& text) { ExpectOnlyMessage(text, desktop); }

  // Remembers whether the progress window was up when each message was shown.
  void WatchProgressWindowAtMessages() {
    desktop.OnMessage([this](const testing::ShownMessage&) {
      windowsOpenAtMessage.push_back(desktop.statusWindowsOpen());
    });
  }

  std::vector<int> windowsOpenAtMessage;
};

TEST_F(DecryptMissionsTest, WritesThePlainMissionsUnderTheProgressWindow) {
  Stage(GameId::XwingAlliance, 0x5A,
        {{"b1m1.tie", "first mission"}, {"B1M2.TIE", "second"}, {"b1m3.tie", "third!"}});
  const Snapshot staged = Picture();

  EXPECT_TRUE(DecryptMissions(window, status, GameId::XwingAlliance));
  EXPECT_EQ(temp.List("XWA/MISSIONS"), (Texts{"B1M2.TIE", "b1m1.tie", "b1m3.tie"}));
  EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/b1m1.tie"), "first mission");
  EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/B1M2.TIE"), "second");
  EXPECT_EQ(temp.ReadFile("XWA/MISSIONS/b1m3.tie"), "third!");

  EXPECT_EQ(status.History(), (Texts{"Decrypting missions...", "Idle"}));
  EXPECT_EQ(desktop.progress(), (Positions{33, 66, 100}));
  EXPECT_EQ(desktop.statusWindowsOpened(), 1);
  EXPECT_EQ(desktop.statusWindowsOpen(), 0);
  EXPECT_TRUE(desktop.messages().empty());

  // The staging folder is as it was: the battle can be played again.
  Snapshot after = Picture();
  for (const char* copy :
       {"XWA/MISSIONS/b1m1.tie", "XWA/MISSIONS/B1M2.TIE", "XWA/MISSIONS/b1m3.tie"}) {
    after.erase(copy);
  }
  EXPECT_EQ(after, staged);
}

TEST_F(DecryptMissionsTest, ProgressIsTheShareDoneCutTowardZero) {
  std::vector<Mission> seven;
  for (char c = 'a'; c < 'h'; ++c) seven.push_back({std::string(1, c) + ".tie", "x"});
  Stage(GameId::TieFighter, 1, seven);
  EXPECT_TRUE(DecryptMissions(window, status, GameId::TieFighter));
  EXPECT_EQ(desktop.progress(), (Positions{14, 28, 42, 57, 71, 85, 100}));
}

// The plain copy is the enciphered file with each byte combined with the key, whatever
// the length, and deciphering undoes enciphering.
TEST_F(DecryptMissionsTest, DeciphersEveryLengthWithEveryKey) {
  struct Case {
    const char* what;
    int key;
    std::string plain;
  };
  const Case cases[] = {
      {"empty", 0x77, ""},
      {"one byte", 0xFF, "\x01"},
      {"odd length", 0x3C, "seven b"},
      {"every byte value", 0xA5, testing::VariedBytes(256)},
      {"key 0", 0, "plain stays plain"},
      {"several blocks and a tail", 0x81, testing::VariedBytes(3 * 256 * 1024 + 12345)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Stage(GameId::XwingVsTie, c.key, {{"m.tie", c.plain}});
    ASSERT_TRUE(DecryptMissions(window, status, GameId::XwingVsTie));
    EXPECT_EQ(temp.ReadFile("XVT/TRAIN/m.tie"), c.plain);
    if (c.key == 0) {
      EXPECT_EQ(temp.ReadFile("XVT/KZMISS/m.tie"), c.plain);
    }
  }
}

// A battle list that is missing, cannot be opened for writing or is for another game
// stops the decryption before the progress window opens or anything is written.
TEST_F(DecryptMissionsTest, ABattleListMissingOrForAnotherGameWritesNothing) {
  const std::string moved = "Battle.kzb seems to have moved, put it back";
  const std::string otherGame = "This battle list is not for this game";
  struct Case {
    const char* what;
    GameId game;
    std::function<void()> arrange;
    std::string message;
  };
  const Case cases[] = {
      {"no battle list", GameId::TieFighter, [] {}, moved},
      // An X-Wing vs. TIE Fighter battle list put by hand into X-Wing Alliance's folder.
      {"a list for another game", GameId::XwingAlliance,
       [this] { Stage(GameId::XwingAlliance, 1, 9, "Wrong", {{"m.tie", "m"}}); }, otherGame},
      {"an empty list, for no game", GameId::TieFighter,
       [this] { temp.WriteFile("TIE/KZMISS/BATTLE.KZB", ""); }, otherGame},
      {"a read-only list", GameId::XwingAlliance,
       [this] {
         Stage(GameId::XwingAlliance, 3, {{"m.tie", "m"}});
         ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XWA\\KZMISS\\BATTLE.KZB"), true));
       },
       moved},
      {"no game folder", GameId::BalanceOfPower,
       [this] { settings.store().DeleteKeyTree(GameKey(GameId::BalanceOfPower)); }, moved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    const Snapshot before = Picture();
    testing::FakeDesktop attempt;
    EXPECT_FALSE(DecryptMissions(window, status, c.game));
    ExpectOnlyMessage(c.message, attempt);
    EXPECT_EQ(attempt.statusWindowsOpened(), 0);
    EXPECT_EQ(Picture(), before);
  }
  EXPECT_TRUE(status.History().empty());
}

TEST_F(DecryptMissionsTest, CountZeroOpensAndClosesTheProgressWindowAndWritesNothing) {
  Stage(GameId::BalanceOfPower, 5, {});
  const Snapshot before = Picture();
  EXPECT_TRUE(DecryptMissions(window, status, GameId::BalanceOfPower));
  EXPECT_EQ(status.History(), (Texts{"Decrypting missions...", "Idle"}));
  EXPECT_EQ(desktop.statusWindowsOpened(), 1);
  EXPECT_EQ(desktop.statusWindowsOpen(), 0);
  EXPECT_TRUE(desktop.progress().empty());
  EXPECT_EQ(Picture(), before);
}

// A decryption that fails midway takes back the plain missions it wrote: a battle half
// in place would load in the game without the missions that follow.
TEST_F(DecryptMissionsTest, AMissingMissionStopsAndRemovesTheCopiesBeforeIt) {
  Stage(GameId::XwingAlliance, 7, {{"a.tie", "A"}, {"b.tie", "B"}, {"c.tie", "C"}});
  ASSERT_TRUE(std::filesystem::remove(temp.Native("XWA/KZMISS/b.tie")));
  WatchProgressWindowAtMessages();

  EXPECT_FALSE(DecryptMissions(window, status, GameId::XwingAlliance));
  ExpectOnlyMessage("Error reading the source mission!");
  EXPECT_EQ(windowsOpenAtMessage, (std::vector<int>{1}));
  EXPECT_EQ(desktop.statusWindowsOpen(), 0);
  EXPECT_TRUE(temp.List("XWA/MISSIONS").empty());
  EXPECT_EQ(desktop.progress(), (Positions{33, 66}));
  EXPECT_EQ(status.History(), (Texts{"Decrypting missions..."}));
}

TEST_F(DecryptMissionsTest, AMissingMissionFolderIsAWriteError) {
  std::filesystem::remove_all(temp.Native("TIE/MISSION"));
  Stage(GameId::TieFighter, 7, {{"a.tie", "A"}});
  WatchProgressWindowAtMessages();
  EXPECT_FALSE(DecryptMissions(window, status, GameId::TieFighter));
  ExpectOnlyMessage("Error writing new mission!");
  EXPECT_EQ(windowsOpenAtMessage, (std::vector<int>{1}));
  EXPECT_EQ(desktop.statusWindowsOpen(), 0);
  EXPECT_FALSE(temp.Exists("TIE/MISSION"));
  EXPECT_EQ(status.text(), "Decrypting missions...");
}

TEST_F(DecryptMissionsTest, AReadOnlyFileInTheWayIsAWriteErrorAndStays) {
  Stage(GameId::XwingVsTie, 7, {{"a.tie", "A"}, {"b.tie", "B"}});
  temp.WriteFile("XVT/TRAIN/b.tie", "the player's own");
  ASSERT_TRUE(platform::Files().SetReadOnly(temp.Path("XVT\\TRAIN\\b.tie"), true));
  EXPECT_FALSE(DecryptMissions(window, status, GameId::XwingVsTie));
  ExpectOnlyMessage("Error writing new mission!");
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Texts{"b.tie"}));
  EXPECT_EQ(temp.ReadFile("XVT/TRAIN/b.tie"), "the player's own");
}

// Each game writes into its own mission folder, replacing a file of the same name in any
// letter case.
TEST_F(DecryptMissionsTest, XwingVsTieAndBalanceOfPowerEachWriteIntoTheirOwnTrain) {
  temp.WriteFile("XVT/TRAIN/X.TIE", "an older, longer plain mission");
  Stage(GameId::XwingVsTie, 1, {{"x.tie", "xvt"}});
  Stage(GameId::BalanceOfPower, 2, {{"b.tie", "bop"}});
  EXPECT_TRUE(DecryptMissions(window, status, GameId::XwingVsTie));
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Texts{"X.TIE"}));
  EXPECT_EQ(temp.ReadFile("XVT/TRAIN/X.TIE"), "xvt");
  EXPECT_TRUE(temp.List("BOP/TRAIN").empty());
  EXPECT_TRUE(DecryptMissions(window, status, GameId::BalanceOfPower));
  EXPECT_EQ(temp.List("BOP/TRAIN"), (Texts{"b.tie"}));
  EXPECT_EQ(temp.ReadFile("BOP/TRAIN/b.tie"), "bop");
  EXPECT_EQ(temp.List("XVT/TRAIN"), (Texts{"X.TIE"}));
}

TEST_F(DecryptMissionsTest,
       NamesThatLeaveTheFoldersOrAreNoMissionsAreRefusedBeforeAnythingIsWritten) {
  // Files where a name with a folder part would lead, from either folder, and a file of
  // the game's own that a battle list once had the decryption overwrite.
  temp.WriteFile("XWA/secret.tie", "game folder");
  temp.WriteFile("XWA/KZMISS/sub/m.tie", "below staging");
  temp.WriteFile("outside.tie", "outside the game");
  temp.WriteFile("XWA/KZMISS/mission.lst", "from a package");
  temp.WriteFile("XWA/MISSIONS/mission.lst", "the game's own list");
#ifndef _WIN32
  // On Windows no file can bear this name; elsewhere one could be staged.
  temp.WriteFile("XWA/KZMISS/con.tie", "a device on Windows");
#endif
  const std::vector<std::string> refused = {
      "..\\secret.tie", "../secret.tie", "sub\\m.tie", "sub/m.tie", "..\\..\\outside.tie",
      "C:outside.tie", "..", ".", "", " . ", "mission.lst", "con.tie", "secret.tie.",
  };
  for (const std::string& name : refused) {
    SCOPED_TRACE("name \"" + name + "\"");
    Stage(GameId::XwingAlliance, 3, {{"good.tie", "good"}});
    temp.WriteFile("XWA/KZMISS/BATTLE.KZB",
                   testing::BattleListBytes(3, 3, "Tricky", {"good.tie", name}));
    std::filesystem::remove(temp.Native("XWA/MISSIONS/good.tie"));
    const Snapshot before = Picture();
    testing::FakeDesktop attempt;

    EXPECT_FALSE(DecryptMissions(window, status, GameId::XwingAlliance));
    EXPECT_EQ(attempt.MessageTexts(), (Texts{"Error reading the source mission!"}));
    EXPECT_EQ(Picture(), before);
  }
}

// A write that breaks off (a full disk) or a read error inside a mission leaves no short
// plain mission behind.
TEST_F(DecryptMissionsTest, ACopyThatBreaksOffLeavesNoShortMission) {
  struct Case {
    GameId game;
    std::function<void(testing::FaultyFileSystem&)> fault;
    std::string message;
    const char* missions;
  };
  const Case cases[] = {
      {GameId::XwingAlliance, [](auto& f) { f.FailWritesAfter(4000, "MISSIONS"); },
       "Error writing new mission!", "XWA/MISSIONS"},
      {GameId::TieFighter,
       [](auto& f) { f.FailNth(testing::FileOperation::FileRead, 1, "KZMISS\\b.tie"); },
       "Error reading the source mission!", "TIE/MISSION"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Stage(c.game, 0x42,
          {{"a.tie", testing::VariedBytes(3000)}, {"b.tie", testing::VariedBytes(5000)}});
    testing::FakeDesktop attempt;
    testing::FaultyFileSystem faulty;
    testing::ScopedFileSystem installed(faulty);
    c.fault(faulty);
    EXPECT_FALSE(DecryptMissions(window, status, c.game));
    ExpectOnlyMessage(c.message, attempt);
    EXPECT_TRUE(temp.List(c.missions).empty());
    EXPECT_EQ(attempt.statusWindowsOpen(), 0);
  }
}

// Paths are held to 259 characters. The game folder is made as long as the battle list's
// path allows; a 10-character name then fits behind "\KZMISS\" but not behind
// "\MISSIONS\", two characters longer, and an 11-character name fits behind neither.
TEST_F(DecryptMissionsTest, PathsOverTheLimitFailAsTheirSideOfTheCopy) {
  const std::size_t folderLength = 259 - std::string("\\KZMISS\\BATTLE.KZB").size();
  const std::size_t base = temp.Path("").size();  // the test folder and a separator
  ASSERT_GT(folderLength, base + 10) << "the temporary folder's path is too long for this test";
  const std::string folderName(folderLength - base, 'g');
  settings.SetGameFolder(GameId::XwingAlliance, temp.Path(folderName));
  temp.MakeFolder(folderName + "/MISSIONS");
  temp.WriteFile(folderName + "/KZMISS/abcdef.tie", testing::Enciphered("m", 1));
  temp.WriteFile(folderName + "/KZMISS/BATTLE.KZB",
                 testing::BattleListBytes(3, 1, "Long", {"abcdef.tie"}));

  EXPECT_FALSE(DecryptMissions(window, status, GameId::XwingAlliance));
  EXPECT_EQ(desktop.MessageTexts(), (Texts{"Error writing new mission!"}));
  EXPECT_TRUE(temp.List(folderName + "/MISSIONS").empty());

  temp.WriteFile(folderName + "/KZMISS/BATTLE.KZB",
                 testing::BattleListBytes(3, 1, "Long", {"abcdefg.tie"}));
  EXPECT_FALSE(DecryptMissions(window, status, GameId::XwingAlliance));
  EXPECT_EQ(desktop.MessageTexts(),
            (Texts{"Error writing new mission!", "Error reading the source mission!"}));
  EXPECT_TRUE(temp.List(folderName + "/MISSIONS").empty());
}

}  // namespace
}  // namespace vantrel
