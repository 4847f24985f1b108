// The help contents of the Help menu: the compiled help file in the launcher's folder,
// opened by the shell.
#pragma once

#include "ui/window.h"

namespace vantrel {

// Opens the launcher folder's "\VNTL.chm", or tells the player it is missing.
void ShowHelpContents(ui::Window& mainWindow);

}  // namespace vantrel
