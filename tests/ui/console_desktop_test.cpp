// The terminal backend of `vantrel`: exact lines on the error output for message boxes
// and the status line, answers to questions, and the progress bar drawn in place.
#include "ui/console/console_desktop.h"

#include <string>

#include <gtest/gtest.h>

namespace vantrel::ui {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

TEST(ConsoleDesktop, AMessageBoxIsTitleAndTextOnOneLine) {
  ConsoleDesktop desktop({});
  ConsoleWindow window(desktop);
  CaptureStderr();
  const Answer answer = desktop.ShowMessage(&window, "Battle.kzb seems to have moved, put it back",
                                            "VNTL", Icon::None, Buttons::Ok);
  EXPECT_EQ(GetCapturedStderr(), "VNTL: Battle.kzb seems to have moved, put it back\n");
  EXPECT_EQ(answer, Answer::Ok);
}

TEST(ConsoleDesktop, PathsInAMessageUseTheSystemsSeparator) {
  ConsoleDesktop desktop({});
  CaptureStderr();
  desktop.ShowMessage(nullptr, "/games/TIE/Game\\TIE95.EXE", "", Icon::None, Buttons::Ok);
#ifdef _WIN32
  EXPECT_EQ(GetCapturedStderr(), ": \\games\\TIE\\Game\\TIE95.EXE\n");
#else
  EXPECT_EQ(GetCapturedStderr(), ": /games/TIE/Game/TIE95.EXE\n");
#endif
}

TEST(ConsoleDesktop, AFailureIsFollowedByItsCauseOnceAndAQuestionIsNot) {
  ConsoleDesktop desktop({});
  platform::RecordFailure({"C:\\TIE\\MISSION\\m1.tie",
                           platform::MakeError(platform::ErrorCode::DiskFull, "Disk full")});
  CaptureStderr();
  desktop.ShowMessage(nullptr, "Sure?", "VNTL", Icon::Exclamation, Buttons::YesNo);
  desktop.ShowMessage(nullptr, "Error writing new mission!", "VNTL", Icon::None, Buttons::Ok);
  desktop.ShowMessage(nullptr, "No missions copied", "Error", Icon::None, Buttons::Ok);
#ifdef _WIN32
  const std::string shown = "C:\\TIE\\MISSION\\m1.tie";
#else
  const std::string shown = "C:/TIE/MISSION/m1.tie";
#endif
  EXPECT_EQ(GetCapturedStderr(), "VNTL: Sure?\nVNTL: Error writing new mission!\n  " + shown +
                                     ": Disk full\nError: No missions copied\n");
}

TEST(ConsoleDesktop, AQuestionIsAnsweredNoUnlessYesWasGiven) {
  ConsoleDesktop cautious({});
  ConsoleDesktop willing({.assumeYes = true});
  CaptureStderr();
  EXPECT_EQ(cautious.ShowMessage(nullptr, "Delete pilot?", "VNTL", Icon::Question, Buttons::YesNo),
            Answer::No);
  EXPECT_EQ(willing.ShowMessage(nullptr, "Delete pilot?", "VNTL", Icon::Question, Buttons::YesNo),
            Answer::Yes);
  EXPECT_EQ(GetCapturedStderr(), "VNTL: Delete pilot?\nVNTL: Delete pilot?\n");
}

TEST(ConsoleDesktop, TheStatusLineIsPrintedOnlyWhenVerbose) {
  ConsoleDesktop quiet({});
  ConsoleDesktop verbose({.verbose = true});
  ConsoleWindow quietWindow(quiet);
  ConsoleWindow verboseWindow(verbose);
  CaptureStderr();
  quietWindow.statusLine().SetText("Decrypting missions...");
  verboseWindow.statusLine().SetText("Decrypting missions...");
  verboseWindow.SetItemText(1063, "Alliance Tour");
  verboseWindow.statusLine().SetText("Idle");
  EXPECT_EQ(GetCapturedStderr(), "Status: Decrypting missions...\nStatus: Idle\n");
  EXPECT_EQ(verboseWindow.ItemText(1063), "Alliance Tour");
  EXPECT_EQ(verboseWindow.ItemText(1062), "");
}

// Without a terminal no bar is drawn at all.
TEST(ConsoleDesktop, TheBarIsDrawnInPlaceOnATerminalAndWipedWhenTheWindowCloses) {
  const std::string drawn = "\r[#########.....................]  33%"
                            "\r[##############################] 100%"
                            "\r" + std::string(37, ' ') + "\r";
  for (const bool terminal : {false, true}) {
    ConsoleDesktop desktop({.progressBar = terminal});
    ConsoleWindow window(desktop);
    CaptureStderr();
    {
      auto status = desktop.OpenStatusWindow(window);
      status->SetProgress(33);
      status->SetProgress(100);
    }
    EXPECT_EQ(GetCapturedStderr(), terminal ? drawn : "") << "terminal " << terminal;
  }
}

TEST(ConsoleDesktop, AMessageDuringTheBarStartsOnALineOfItsOwn) {
  ConsoleDesktop desktop({.verbose = true, .progressBar = true});
  ConsoleWindow window(desktop);
  CaptureStderr();
  {
    auto status = desktop.OpenStatusWindow(window);
    status->SetProgress(0);
    desktop.ShowMessage(&window, "Error writing new mission!", "VNTL", Icon::None, Buttons::Ok);
  }
  EXPECT_EQ(GetCapturedStderr(),
            "\r[..............................]   0%\n"
            "VNTL: Error writing new mission!\n");
}

}  // namespace
}  // namespace vantrel::ui
