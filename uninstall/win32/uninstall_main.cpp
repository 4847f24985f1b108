// Uninstall.exe: the confirmation and the window on real windows from the program's
// resources. Started from the list of installed programs it runs from the install folder
// itself, where Windows keeps its own file open while it runs; once the removal has run,
// that file, and the install folder if nothing else is left in it, are deleted the next
// time Windows starts.
#include <string>

#include "core/settings.h"
#include "platform/command_line.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/windows_api.h"
#include "resources/uninstall_ids.h"
#include "setup/installed_system.h"
#include "setup/win32/program_services.h"
#include "uninstall/remove_steps.h"
#include "uninstall/uninstall_window.h"

namespace {

// This program's own file.
std::wstring OwnFile() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Deletes this program's file at the next start of Windows, then its folder, if it lies
// in `installFolder` and is still there (a file in use cannot be deleted before). The
// folder goes only if it is empty by then, as Windows removes no folder that holds files.
void DeleteOwnFileAtRestart(const std::string& installFolder) {
  const std::wstring self = OwnFile();
  const std::size_t slash = self.find_last_of(L'\\');
  if (installFolder.empty() || slash == std::wstring::npos) return;
  const std::wstring folder = self.substr(0, slash);
  if (!vantrel::platform::NamesEqual(vantrel::platform::win32::Narrow(folder), installFolder)) {
    return;
  }
  if (GetFileAttributesW(self.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const vantrel::win32::ProgramServices services(IDI_UNINSTALL);
  // Read before the removal, which deletes the key that names it.
  const std::string installFolder = vantrel::ReadLauncherFolder();
  const bool logFound = vantrel::InstallLogFound();
  const int result = vantrel::RunUninstall(vantrel::platform::CommandLineArguments(0, nullptr));
  // The log goes last of the files; without it the removal has run.
  const std::string log = installFolder + std::string(vantrel::kInstallLogName);
  if (logFound && !vantrel::platform::CanOpenForReading(log)) {
    DeleteOwnFileAtRestart(installFolder);
  }
  return result;
}
