// Uninstall's one window, MAIN, as a controller over the window seam: it checks for the
// install log when it opens, runs the three removal steps when Start is pressed and shows
// each group done; OK, Esc, the close box and every other command close it.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kUninstallWindow[] = "MAIN";

class UninstallWindow final : public ui::DialogController {
 public:
  void onInit(ui::Window& window) override;
  bool onCommand(ui::Window& window, int id) override;
};

// Exit codes of the program.
inline constexpr int kUninstallDone = 0;
inline constexpr int kUninstallLogMissing = 1;

// Uninstall from its arguments to its exit code: after the confirmation, the window; with
// /SILENT (letter case ignored) no question and no window, the steps at once, exit code
// 0 when the install log was found and 1 when it was not (nothing is then removed).
int RunUninstall(const std::vector<std::string>& arguments);

}  // namespace vantrel
