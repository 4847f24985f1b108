// The installed-battle display: under each game's button the main window names the
// battle staged for that game.
#pragma once

#include "ui/window.h"

namespace vantrel {

// Sets the four "Currently Installed Battle:" labels of the main window to the names of
// the installed battles ("No battle installed" where there is none).
void ShowInstalledBattles(ui::Window& mainWindow);

}  // namespace vantrel
