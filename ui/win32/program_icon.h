// A desktop whose dialogs all show the program's icon as their big icon, as the windows
// of Setup and Uninstall do; otherwise the same as Win32Desktop.
#pragma once

#include "ui/win32/desktop_win32.h"

namespace vantrel::ui::win32 {

class IconDesktop : public Win32Desktop {
 public:
  // `iconId`: the icon resource of the program.
  explicit IconDesktop(int iconId) : iconId_(iconId) {}

  int RunModalDialog(std::string_view templateName, Window* owner,
                     DialogController& controller) override;

 private:
  int iconId_;
};

}  // namespace vantrel::ui::win32
