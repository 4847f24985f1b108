// Controls held in memory, as the command line's windows and the tests' fake hold them:
// a list sorted as a sorted list box sorts, its selection, check boxes, enabled states,
// and the command line's answer to a dialog.
#include "ui/memory_window.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/console/console_desktop.h"

namespace vantrel::ui {
namespace {

using Names = std::vector<std::string>;

TEST(MemoryWindow, AListKeepsItsEntriesSortedWithoutRegardToLetterCase) {
  MemoryWindow window;
  EXPECT_EQ(window.AddListEntry(1034, "charlie"), 0);
  EXPECT_EQ(window.AddListEntry(1034, "Bravo"), 0);
  EXPECT_EQ(window.AddListEntry(1034, "Delta"), 2);
  EXPECT_EQ(window.AddListEntry(1034, "alpha"), 0);
  // Equal but for letter case: after the one already there.
  EXPECT_EQ(window.AddListEntry(1034, "BRAVO"), 2);
  EXPECT_EQ(window.ListEntries(1034), (Names{"alpha", "Bravo", "BRAVO", "charlie", "Delta"}));
}

TEST(MemoryWindow, TheSelectionFollowsItsEntryAndAResetClearsIt) {
  MemoryWindow window;
  EXPECT_EQ(window.SelectedListText(1034), std::nullopt);
  window.AddListEntry(1034, "Luke");
  window.AddListEntry(1034, "Wedge");
  window.SelectListEntry(1034, 1);
  EXPECT_EQ(window.SelectedListText(1034), "Wedge");
  window.AddListEntry(1034, "Biggs");
  EXPECT_EQ(window.SelectedListEntry(1034), 2);
  EXPECT_EQ(window.SelectedListText(1034), "Wedge");
  window.SelectListEntry(1034, 3);
  EXPECT_EQ(window.SelectedListText(1034), std::nullopt);
  window.SelectListEntry(1034, 0);
  window.ClearList(1034);
  EXPECT_TRUE(window.ListEntries(1034).empty());
  EXPECT_EQ(window.SelectedListText(1034), std::nullopt);
}

TEST(MemoryWindow, ChecksLimitsEnabledStatesProgressAndTheEndAreKept) {
  MemoryWindow window;
  // A check box starts cleared and an item enabled; each keeps the state last set.
  EXPECT_FALSE(window.IsChecked(1060));
  EXPECT_TRUE(window.IsEnabled(1054));
  for (const bool state : {true, false, true}) {
    window.SetChecked(1060, state);
    window.EnableItem(1054, !state);
    EXPECT_EQ(window.IsChecked(1060), state);
    EXPECT_EQ(window.IsEnabled(1054), !state);
  }

  EXPECT_EQ(window.TextLimit(1034), std::nullopt);
  window.SetTextLimit(1034, 12);
  EXPECT_EQ(window.TextLimit(1034), 12);

  EXPECT_EQ(window.ProgressPosition(1065), std::nullopt);
  window.SetProgressRange(1065, 0, 100);
  window.SetProgressPosition(1065, 66);
  EXPECT_EQ(window.ProgressRange(1065), std::make_pair(0, 100));
  EXPECT_EQ(window.ProgressPosition(1065), 66);

  EXPECT_EQ(window.endedWith(), std::nullopt);
  window.EndDialog(1054);
  EXPECT_EQ(window.endedWith(), 1054);
}

class CountingController : public DialogController {
 public:
  void onInit(Window&) override { ++calls; }
  bool onCommand(Window&, int) override { return ++calls > 0; }
  int calls = 0;
};

TEST(ConsoleDesktop, ADialogIsAnsweredAsCancelledWithoutBeingShown) {
  ConsoleDesktop desktop({});
  ConsoleWindow window(desktop);
  CountingController controller;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(desktop.RunModalDialog("XWA_PILOT", &window, controller), 2);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(controller.calls, 0);
}

}  // namespace
}  // namespace vantrel::ui
