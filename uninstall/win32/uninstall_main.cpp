// Uninstall.exe: the confirmation and the window on real windows from the program's
// resources.
#include "platform/command_line.h"
#include "platform/win32/windows_api.h"
#include "resources/uninstall_ids.h"
#include "ui/win32/program_icon.h"
#include "uninstall/uninstall_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vantrel::ui::win32::IconDesktop desktop(IDI_UNINSTALL);
  vantrel::ui::UseDesktop(&desktop);
  return vantrel::RunUninstall(vantrel::platform::CommandLineArguments(0, nullptr));
}
