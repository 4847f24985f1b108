// The two dialogs of X-Wing Alliance's pilot roster: XWA_PILOT lists the pilots, and lets
// the player choose the one the game starts with, create one or delete one; XWA_NEW_PILOT
// asks for a new pilot's name. Both are controllers over the window seam; the file work
// is in xwa_roster.h and xwa_pilot_list.h.
#pragma once

#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kXwaPilotTemplate[] = "XWA_PILOT";
inline constexpr char kXwaNewPilotTemplate[] = "XWA_NEW_PILOT";

// XWA_PILOT. "&OK" makes the selected pilot the game's last pilot and closes; "New
// &Pilot" and "&Delete Pilot" change the roster and rebuild the list whatever they gave;
// every other command but the list's notifications closes without writing anything.
// The dialog ends with the id of the command that closed it.
class XwaPilotDialog : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override;
  bool onCommand(ui::Window& dialog, int id) override;
};

// XWA_NEW_PILOT. "OK" creates the pilot named in the edit field (its first 11
// characters), prepared for KZ battles when the box is ticked, and closes only when the
// pilot file was written; the roster has then told the player what went wrong. "Cancel"
// closes. The dialog ends with the id of the button that closed it.
class XwaNewPilotDialog : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override;
  bool onCommand(ui::Window& dialog, int id) override;
};

// Fills the roster's empty list with the pilots of the game folder and selects the last
// pilot. With no pilot "&OK" is disabled, since there is nothing to choose; a later fill
// that finds pilots enables it again.
void FillXwaPilotList(ui::Window& dialog);

// Shows XWA_PILOT modally, owned by `owner`.
int RunXwaPilotDialog(ui::Window& owner);

}  // namespace vantrel
