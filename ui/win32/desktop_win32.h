// The launcher's windowing system: message boxes from the system, and the STATUS window
// and modal dialogs made from the program's own resources.
#pragma once

#include <memory>
#include <string_view>

#include "platform/win32/windows_api.h"
#include "ui/window.h"

namespace vantrel::ui::win32 {

class Win32Desktop : public Desktop {
 public:
  // Registers the common controls' window classes the launcher's templates use.
  Win32Desktop();

  Answer ShowMessage(Window* owner, std::string_view text, std::string_view title, Icon icon,
                     Buttons buttons) override;
  std::unique_ptr<StatusWindow> OpenStatusWindow(Window& owner) override;
  // The template comes from the program's own resources; the generic dialog procedure
  // hands its messages to `controller`.
  int RunModalDialog(std::string_view templateName, Window* owner,
                     DialogController& controller) override;
};

// The MessageBox style for an icon and a set of buttons.
UINT MessageBoxStyle(Icon icon, Buttons buttons);

}  // namespace vantrel::ui::win32
