// The behaviour of one dialog, apart from any windowing system: the handlers of its
// dialog procedure, each handed a view of the dialog's controls. On Windows one generic
// dialog procedure (ui/win32/dialog.h) forwards the dialog's messages here; tests drive
// the same controllers through a fake view, pressing buttons by id as a player would.
#pragma once

#include <string_view>

namespace vantrel::ui {

class Window;

// What a dialog ends with when it is closed at once by its Esc key (the command id of
// Esc). The command line, which shows no dialogs, answers every dialog with it.
inline constexpr int kDialogCancelled = 2;

class DialogController {
 public:
  virtual ~DialogController() = default;
  // The dialog has been made and is about to be shown. `dialog` is the same view in
  // every handler until onDestroy has returned.
  virtual void onInit(Window& dialog) = 0;
  // A command from the control or menu item `id` (a button pressed, a list's
  // notification); true when handled.
  virtual bool onCommand(Window& dialog, int id) = 0;
  // A tick of the dialog's timer `id`; true when handled.
  virtual bool onTimer(Window&, int) { return false; }
  // The dialog is going away.
  virtual void onDestroy(Window&) {}
  // Another start of the program handed this window `text` (the launcher: a package
  // path). True when taken; the giver tells its user otherwise.
  virtual bool onHandOver(Window&, std::string_view) { return false; }
};

}  // namespace vantrel::ui
