#include "launcher/help.h"

#include <string>

#include "core/settings.h"
#include "platform/file_system.h"

namespace vantrel {

void ShowHelpContents(ui::Window& mainWindow) {
  const std::string help = ReadLauncherFolder() + "\\VNTL.chm";
  if (!platform::CanOpenForReading(help)) {
    ui::ShowVntlMessage(&mainWindow, "Can't find help file!");
    return;
  }
  ui::Ui().ShellOpen(&mainWindow, help);
}

}  // namespace vantrel
