// VNTL.exe, the launcher players use. One launcher runs at a time: a second start hands
// its package to the first and ends. The first keeps the package path it was started
// with, shows the splash, then the main window, and ends when the main window posts the
// quit message.
#include <objbase.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "launcher/command_line_package.h"
#include "launcher/main_window.h"
#include "launcher/win32/hand_over_win32.h"
#include "launcher/win32/splash_win32.h"
#include "platform/service.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/desktop_win32.h"
#include "ui/win32/window_win32.h"

namespace vantrel::win32 {
namespace {

constexpr const wchar_t* kSingleInstanceMutex = L"SingleInstance Enforcement Mutex";

// The main window, marked so that a second start of the launcher finds it.
class MarkedMainWindow : public ui::DialogController {
 public:
  explicit MarkedMainWindow(MainWindow& main) : main_(main) {}
  void onInit(ui::Window& window) override {
    MarkRunningLauncher(ui::win32::HandleOf(&window));
    main_.onInit(window);
  }
  bool onCommand(ui::Window& window, int id) override { return main_.onCommand(window, id); }
  bool onTimer(ui::Window& window, int id) override { return main_.onTimer(window, id); }
  void onDestroy(ui::Window& window) override {
    UnmarkRunningLauncher(ui::win32::HandleOf(&window));
    main_.onDestroy(window);
  }
  bool onHandOver(ui::Window& window, std::string_view text) override {
    return main_.onHandOver(window, text);
  }

 private:
  MainWindow& main_;
};

int Run(const wchar_t* commandLine) {
  const std::optional<std::string> package =
      CommandLinePackage(platform::win32::Narrow(commandLine != nullptr ? commandLine : L""));

  // The mutex stays held until the launcher ends.
  const platform::win32::KernelHandle mutex(CreateMutexW(nullptr, TRUE, kSingleInstanceMutex));
  if (mutex.valid() && GetLastError() == ERROR_ALREADY_EXISTS) {
    RunAsSecondLauncher(package);
    return 0;
  }

  // The shell's folder browser and document opening want COM on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ui::win32::Win32Desktop desktop;
  const platform::ScopedService<ui::Desktop> installedDesktop(desktop);

  // The readme comes up before the battle is staged.
  MainWindow main(package, [] { std::this_thread::sleep_for(std::chrono::milliseconds(500)); });
  MarkedMainWindow marked(main);
  RunSplashThenMainWindow(marked);
  return RunMessageLoop();
}

}  // namespace
}  // namespace vantrel::win32

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  return vantrel::win32::Run(commandLine);
}
