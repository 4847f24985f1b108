// Looking at a program's real dialog templates as a user would: the texts of a dialog's
// controls in their order on the page, and a picture of the dialog as shown on screen,
// saved for a person to look at.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace vantrel::testing {

// The texts of the dialog's child windows that have one, in the template's order;
// pictures are left out.
std::vector<std::string> ControlTexts(HWND dialog);

// Lets the dialog paint, then saves it as `<folder>\<name>.png`; the folder is
// $VANTREL_SCREENSHOTS, else "screenshots" beside the test program. True when the file
// was written.
bool SaveScreenshot(HWND dialog, const std::string& name);

}  // namespace vantrel::testing
