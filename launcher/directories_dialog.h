// The Directories dialog (template PATH): one frame per game showing its folder, with a
// Browse button that picks another. Nothing is stored until "&OK", which stores all four
// fields; every other way out discards what was browsed.
#pragma once

#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kDirectoriesTemplate[] = "PATH";

class DirectoriesDialog : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override;
  // Browse starts from the folder in the settings store, not from the one shown.
  // The dialog ends with the id of the command that closed it.
  bool onCommand(ui::Window& dialog, int id) override;
};

// Stores the text of each game's field as its folder, unchanged and empty ones too.
void SaveDirectories(ui::Window& dialog);

// Shows the Directories dialog modally, owned by `owner`.
int RunDirectoriesDialog(ui::Window& owner);

}  // namespace vantrel
