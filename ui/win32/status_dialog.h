// The STATUS progress window shown while missions are deciphered: a small captionless
// popup with one smooth progress bar (control 1065) running from 0 to 100, made
// modeless from its template and driven by a controller like every other dialog. Each
// window moves only its own bar, and no handle of it outlives the window.
#pragma once

#include "platform/win32/windows_api.h"
#include "ui/dialog_controller.h"
#include "ui/win32/dialog.h"
#include "ui/window.h"

namespace vantrel::ui::win32 {

// Gives the bar its range 0 to 100; reports commands from the bar as handled, and
// handles nothing else.
class StatusDialog : public DialogController {
 public:
  void onInit(Window& dialog) override;
  bool onCommand(Window& dialog, int id) override;
};

class Win32StatusWindow : public StatusWindow {
 public:
  // Makes and shows the window owned by `owner`, painted at once: no message loop runs
  // while missions are deciphered.
  explicit Win32StatusWindow(HWND owner);
  void SetProgress(int position) override;

  // Null when the window could not be made.
  HWND handle() const { return dialog_.handle(); }

 private:
  StatusDialog controller_;
  ModelessDialog dialog_;
};

}  // namespace vantrel::ui::win32
