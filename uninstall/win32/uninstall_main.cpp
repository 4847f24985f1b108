// Uninstall.exe: the confirmation and the window on real windows from the program's
// resources.
#include "platform/command_line.h"
#include "platform/win32/windows_api.h"
#include "resources/uninstall_ids.h"
#include "setup/win32/program_services.h"
#include "uninstall/uninstall_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const vantrel::win32::ProgramServices services(IDI_UNINSTALL);
  return vantrel::RunUninstall(vantrel::platform::CommandLineArguments(0, nullptr));
}
