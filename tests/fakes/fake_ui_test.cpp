// The fake window's player: what it can press, how much it can type, and how the fake
// desktop runs a modal dialog with a script.
#include "tests/fakes/fake_ui.h"

#include <gtest/gtest.h>

namespace vantrel::testing {
namespace {

class Recorder : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override {
    events.push_back("init");
    dialog.SetTextLimit(1034, 3);
  }
  bool onCommand(ui::Window& dialog, int id) override {
    events.push_back("command " + std::to_string(id));
    if (id == 1) dialog.EndDialog(7);
    return true;
  }
  void onDestroy(ui::Window&) override { events.push_back("destroy"); }
  std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST(FakeWindow, OnlyAnOpenDialogsEnabledControlsTakeThePlayersActions) {
  FakeWindow window;
  Recorder recorder;
  EXPECT_FALSE(window.Press(1));
  window.Open(recorder);
  window.EnableItem(1054, false);
  EXPECT_FALSE(window.Press(1054));
  EXPECT_TRUE(window.Type(1034, "L\xC3\xBCkas"));
  EXPECT_EQ(window.ItemText(1034), "L\xC3\xBCk");
  EXPECT_TRUE(window.ClickCheckBox(1060));
  EXPECT_TRUE(window.IsChecked(1060));
  EXPECT_TRUE(window.Press(1));
  EXPECT_TRUE(window.destroyed());
  EXPECT_FALSE(window.Press(2));
  EXPECT_EQ(recorder.events, (Events{"init", "command 1060", "command 1", "destroy"}));
}

TEST(FakeDesktop, AModalDialogRunsItsScriptAndReportsHowItEnded) {
  FakeDesktop desktop;
  FakeWindow owner;
  Recorder ended;
  Recorder leftOpen;
  desktop.QueueDialogScript([](FakeWindow& dialog) { dialog.Press(1); });
  desktop.QueueDialogScript([](FakeWindow& dialog) { dialog.Press(5); });
  EXPECT_EQ(desktop.RunModalDialog("XWA_NEW_PILOT", &owner, ended), 7);
  EXPECT_EQ(desktop.RunModalDialog("XWA_PILOT", nullptr, leftOpen), -1);
  ASSERT_EQ(desktop.dialogs().size(), 2u);
  EXPECT_EQ(desktop.dialogs()[0].templateName, "XWA_NEW_PILOT");
  EXPECT_EQ(desktop.dialogs()[0].owner, &owner);
  EXPECT_EQ(desktop.dialogs()[0].result, 7);
  EXPECT_EQ(desktop.dialogs()[1].templateName, "XWA_PILOT");
  EXPECT_EQ(desktop.dialogs()[1].result, std::nullopt);
  EXPECT_EQ(leftOpen.events, (Events{"init", "command 5"}));
}

}  // namespace
}  // namespace vantrel::testing
