// What the subsystems need of the windowing system: a window's controls by id, modal
// message boxes and modal dialogs, and the small STATUS progress window shown while
// missions are deciphered. The launcher has real windows behind this (ui/win32),
// `vantrel` prints to the terminal (ui/console), and tests hold the controls' state in a
// recording fake.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/service.h"
#include "ui/dialog_controller.h"

namespace vantrel::ui {

enum class Icon { None, Exclamation, Question, Information };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// A text colour, as the links of the About dialog are drawn.
struct Colour {
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

// A window of the launcher as the subsystems see it.
class Window {
 public:
  virtual ~Window() = default;
  virtual void SetItemText(int id, std::string_view text) = 0;
  virtual std::string ItemText(int id) const = 0;
  // A timer of the window: its ticks reach the window's owner whenever a message loop
  // runs on the launcher's thread (never while a game is being waited for).
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;

  // List box `id`. A list whose template sorts it places each new entry by the sorted
  // order (letter case ignored); AddListEntry says at which index the entry landed, or
  // -1 when it could not be added.
  virtual void ClearList(int id) = 0;
  virtual int AddListEntry(int id, std::string_view text) = 0;
  virtual void SelectListEntry(int id, int index) = 0;
  // The text of the selected entry; empty optional when no entry is selected.
  virtual std::optional<std::string> SelectedListText(int id) const = 0;

  // The most characters a player can type into edit field `id`.
  virtual void SetTextLimit(int id, int characters) = 0;

  // Check box `id`.
  virtual bool IsChecked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;

  // A disabled control cannot be pressed or typed into.
  virtual void EnableItem(int id, bool enabled) = 0;

  // A hidden control is neither seen nor pressed; a template may create one hidden.
  virtual void ShowItem(int id, bool visible) = 0;

  // Progress bar `id`: its range, and its position, drawn at once (no message loop may
  // run while the work it shows goes on).
  virtual void SetProgressRange(int id, int lowest, int highest) = 0;
  virtual void SetProgressPosition(int id, int position) = 0;

  // Closes a modal dialog once its current handler has returned; the call that opened
  // the dialog returns `result`.
  virtual void EndDialog(int result) = 0;

  // Item `id` of the window's menu bar, by command id.
  virtual bool IsMenuItemChecked(int id) const = 0;
  virtual void CheckMenuItem(int id, bool checked) = 0;

  // Button `id` shows the bitmap resource `bitmap` of the program.
  virtual void SetButtonImage(int id, int bitmap) = 0;
  // The window's small and large icon, both from the icon resource `icon`.
  virtual void SetIcon(int icon) = 0;
  // A tooltip on control `id` that shows `text` while the mouse rests on the control,
  // registered under `toolId`; it stays until the window closes.
  virtual void AddTooltip(int id, std::string_view text, int toolId) = 0;
  // Static control `id` is drawn as a link: underlined, in `colour`. The other static
  // controls of a window with links are drawn in black on no background of their own.
  virtual void ShowAsLink(int id, Colour colour) = 0;

  // Posts the quit message with `exitCode` to the program's thread; the message loop
  // that takes it ends, and the program with it.
  virtual void PostQuit(int exitCode) = 0;
  // Posts the command `id` to the window itself: it arrives as if a control had sent it,
  // once the current handler has returned and a message loop runs.
  virtual void PostCommand(int id) = 0;
  // Restores the window if it is minimised and puts it in front of the others.
  virtual void BringToFront() = 0;
};

// The modeless STATUS window; destroying the object closes it.
class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
  // Moves the window's bar to `position`, 0 to 100.
  virtual void SetProgress(int position) = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box owned by `owner`, or by no window when it is null.
  virtual Answer ShowMessage(Window* owner, std::string_view text, std::string_view title,
                             Icon icon, Buttons buttons) = 0;

  // Creates and shows the STATUS window owned by `owner`, its bar at 0 of 0 to 100.
  virtual std::unique_ptr<StatusWindow> OpenStatusWindow(Window& owner) = 0;

  // Shows the dialog template `templateName` of the program's resources modally, owned by
  // `owner` (or by no window when it is null), with `controller` handling it. Returns
  // what the dialog was ended with, or -1 when it could not be made.
  virtual int RunModalDialog(std::string_view templateName, Window* owner,
                             DialogController& controller) = 0;

  // Asks the system's shell to open `target` (a document, a web page, a "mailto:"
  // address) with its verb "open", shown normally, as if the player had opened it. What
  // the shell makes of it is not examined.
  virtual void ShellOpen(Window* owner, std::string_view target) = 0;

  // The battle file chooser: the player picks a ".kzm" package, starting in
  // `initialFolder`. The chosen file's full path, or the empty text when cancelled.
  virtual std::string ChooseBattleFile(Window& owner, std::string_view initialFolder) = 0;

  // The folder browser, starting at `initialFolder`: the chosen folder's full path (a
  // drive's root with its backslash, "D:\"), or the empty text when cancelled.
  virtual std::string BrowseForFolder(Window& owner, std::string_view initialFolder) = 0;
};

}  // namespace vantrel::ui

namespace vantrel::platform {
template <>
ui::Desktop& Service<ui::Desktop>::Default();
}  // namespace vantrel::platform

namespace vantrel::ui {

// The desktop of this process. Programs install theirs at start
// (ScopedService<Desktop>); until then message boxes go nowhere and are answered No (or
// OK), and no dialog can be made.
inline Desktop& Ui() { return platform::Service<Desktop>::Get(); }

// Shortcut for the launcher's usual box: title "VNTL", an OK button.
void ShowVntlMessage(Window* owner, std::string_view text, Icon icon = Icon::None);

}  // namespace vantrel::ui
