// Setup.exe: the pages on real windows from the program's resources, and the shell's
// folder browser for the Destination page.
#include <shlobj.h>

#include <optional>
#include <string>

#include "platform/command_line.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "resources/setup_ids.h"
#include "setup/setup_program.h"
#include "setup/win32/program_services.h"
#include "ui/win32/window_win32.h"

namespace {

// Selects the folder the browser was asked to open with, once it is up.
int CALLBACK SelectInitialFolder(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

// The shell's folder browser, rooted at the desktop; nothing when cancelled or when the
// picked item is no folder on disk.
std::optional<std::string> BrowseForFolder(vantrel::ui::Window& owner, const std::string& initial) {
  const std::wstring start = vantrel::platform::win32::Widen(initial).value_or(std::wstring());
  BROWSEINFOW info{};
  info.hwndOwner = vantrel::ui::win32::HandleOf(&owner);
  info.lpszTitle = L"Select installation folder";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = SelectInitialFolder;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  const vantrel::platform::win32::TaskMemory<PIDLIST_ABSOLUTE> picked(SHBrowseForFolderW(&info));
  if (!picked.valid()) return std::nullopt;
  wchar_t path[MAX_PATH + 1] = {};
  if (SHGetPathFromIDListW(picked.get(), path) == FALSE) return std::nullopt;
  return vantrel::platform::win32::Narrow(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const vantrel::win32::ProgramServices services(IDI_SETUP);
  return vantrel::RunSetup(vantrel::platform::CommandLineArguments(0, nullptr), BrowseForFolder);
}
