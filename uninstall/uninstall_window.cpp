// What Uninstall's window does, through the window seam only; the removal itself is in
// remove_steps.h.
#include "uninstall/uninstall_window.h"

#include "platform/path.h"
#include "resources/uninstall_ids.h"
#include "uninstall/remove_steps.h"

namespace vantrel {

void UninstallWindow::onInit(ui::Window& window) {
  for (const int label : {IDC_DONE_FILES, IDC_DONE_FOLDERS, IDC_DONE_REGISTRY,
                          IDC_UNINSTALL_COMPLETED}) {
    window.ShowItem(label, false);
  }
  window.SetProgressRange(IDC_UNINSTALL_PROGRESS, 0, 100);
  window.SetProgressPosition(IDC_UNINSTALL_PROGRESS, 0);
  window.EnableItem(IDC_UNINSTALL_OK, false);
  if (!InstallLogFound()) {
    ui::Ui().ShowMessage(nullptr, "Can't find installation log!", "Error", ui::Icon::None,
                         ui::Buttons::Ok);
    window.EndDialog(0);
  }
}

bool UninstallWindow::onCommand(ui::Window& window, int id) {
  if (id != IDC_UNINSTALL_START) {
    // OK once the removal is done; before it, Esc and the close box leave everything.
    window.EndDialog(id);
    return true;
  }
  window.SetItemText(IDC_UNINSTALL_START, "Please wait");
  RemoveInstalledFiles();
  window.ShowItem(IDC_DONE_FILES, true);
  window.SetProgressPosition(IDC_UNINSTALL_PROGRESS, 33);
  // Program folders are removed with the files; their row is done with them.
  window.ShowItem(IDC_DONE_FOLDERS, true);
  window.SetProgressPosition(IDC_UNINSTALL_PROGRESS, 66);
  RemoveRegistryEntries();
  window.ShowItem(IDC_DONE_REGISTRY, true);
  RemoveShortcuts();
  window.SetProgressPosition(IDC_UNINSTALL_PROGRESS, 100);
  window.ShowItem(IDC_UNINSTALL_COMPLETED, true);
  window.EnableItem(IDC_UNINSTALL_OK, true);
  window.EnableItem(IDC_UNINSTALL_START, false);
  return true;
}

int RunUninstall(const std::vector<std::string>& arguments) {
  const bool silent = arguments.size() == 1 && platform::NamesEqual(arguments[0], "/SILENT");
  if (silent) {
    if (!InstallLogFound()) return kUninstallLogMissing;
    RemoveInstalledFiles();
    RemoveRegistryEntries();
    RemoveShortcuts();
    return kUninstallDone;
  }
  const ui::Answer answer = ui::Ui().ShowMessage(
      nullptr,
      "Are you sure you want to completely remove the selected application and all of its "
      "componets?",
      "Confirm File Deletion", ui::Icon::Question, ui::Buttons::YesNo);
  if (answer != ui::Answer::Yes) return kUninstallDone;
  UninstallWindow window;
  ui::Ui().RunModalDialog(kUninstallWindow, nullptr, window);
  return kUninstallDone;
}

}  // namespace vantrel
