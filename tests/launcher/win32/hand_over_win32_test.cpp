// A second start of the launcher hands its package to the running launcher's main
// window: real windows made from the launcher's MAIN template, found by their mark and
// sent the package as the second start sends it.
#include "launcher/win32/hand_over_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "resources/launcher_ids.h"
#include "ui/win32/dialog.h"
#include "ui/win32/window_win32.h"

namespace vantrel::win32 {
namespace {

using namespace std::chrono_literals;

class Receiver : public ui::DialogController {
 public:
  explicit Receiver(bool takes) : takes_(takes) {}
  void onInit(ui::Window&) override {}
  bool onCommand(ui::Window&, int) override { return true; }
  bool onHandOver(ui::Window&, std::string_view text) override {
    received.emplace_back(text);
    return takes_;
  }
  std::vector<std::string> received;

 private:
  bool takes_;
};

// A MAIN window of this thread, marked as the running launcher's.
class MarkedMain {
 public:
  explicit MarkedMain(ui::DialogController& controller) : dialog_(L"MAIN", nullptr, controller) {
    if (dialog_.handle() != nullptr) MarkRunningLauncher(dialog_.handle());
  }
  ~MarkedMain() {
    if (dialog_.handle() != nullptr) UnmarkRunningLauncher(dialog_.handle());
  }
  HWND handle() const { return dialog_.handle(); }

 private:
  ui::win32::ModelessDialog dialog_;
};

bool CanMakeWindows() {
  const HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) return false;
  DestroyWindow(probe);
  return true;
}

#define REQUIRE_DISPLAY() \
  if (!CanMakeWindows())  \
  GTEST_SKIP() << "no window can be made here; run under a display (xvfb-run)"

// The marked main window is found, and its answer to the package handed to it told.
TEST(HandOver, TheMarkedMainWindowIsFoundAndItsAnswerTold) {
  REQUIRE_DISPLAY();
  for (const bool takes : {true, false}) {
    SCOPED_TRACE(takes);
    Receiver receiver(takes);
    MarkedMain main(receiver);
    ASSERT_NE(main.handle(), nullptr);
    EXPECT_EQ(FindRunningLauncher(0ms), main.handle());
    EXPECT_EQ(HandPackageTo(main.handle(), "C:\\My Battles\\Endor run.kzm", kHandOverWait),
              takes ? HandOverResult::Taken : HandOverResult::NotTaken);
    EXPECT_EQ(receiver.received, (std::vector<std::string>{"C:\\My Battles\\Endor run.kzm"}));
  }
}

TEST(HandOver, AnUnmarkedWindowIsNotTheLauncher) {
  REQUIRE_DISPLAY();
  Receiver receiver(true);
  {
    MarkedMain main(receiver);
    ASSERT_NE(main.handle(), nullptr);
  }
  ui::win32::ModelessDialog plain(L"MAIN", nullptr, receiver);
  ASSERT_NE(plain.handle(), nullptr);
  EXPECT_EQ(FindRunningLauncher(0ms), nullptr);
}

// The launcher waits for a game without a message loop: a main window whose thread runs
// none does not answer, and the package counts as not taken.
TEST(HandOver, ALauncherThatRunsNoMessageLoopDoesNotTakeThePackage) {
  REQUIRE_DISPLAY();
  Receiver receiver(true);
  HWND main = nullptr;
  const platform::win32::KernelHandle made(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const platform::win32::KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread launcher([&] {
    ui::win32::ModelessDialog dialog(L"MAIN", nullptr, receiver);
    main = dialog.handle();
    if (main != nullptr) MarkRunningLauncher(main);
    SetEvent(made.get());
    // As while a game runs: waiting, with no messages taken.
    WaitForSingleObject(release.get(), INFINITE);
    if (main != nullptr) UnmarkRunningLauncher(main);
  });
  WaitForSingleObject(made.get(), INFINITE);
  ASSERT_NE(main, nullptr);
  const HandOverResult result = HandPackageTo(main, "C:\\b.kzm", 300ms);
  SetEvent(release.get());
  launcher.join();
  EXPECT_EQ(result, HandOverResult::NotTaken);
}

TEST(HandOver, ThePlayerIsToldWhichPackageWasNotLoadedAndWhy) {
  EXPECT_EQ(PackageNotLoadedMessage("C:\\My Battles\\b1.kzm"),
            "The battle package\nC:\\My Battles\\b1.kzm\nwas not loaded because a game is "
            "running. Open it again when the game has ended.");
}

}  // namespace
}  // namespace vantrel::win32
