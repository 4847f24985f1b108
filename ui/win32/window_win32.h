// A launcher window as the subsystems see it, over a real dialog's handle: its controls
// are reached by id through the wide Win32 calls and the controls' own messages.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "ui/window.h"

namespace vantrel::ui::win32 {

// A GDI object (bitmap, font) or an icon the window made for itself.
using OwnedGdiObject = platform::win32::GdiObject;
using OwnedIcon = platform::win32::IconHandle;

// The view over a dialog's handle. The bitmaps, icons and fonts it gives the dialog's
// controls are its own and go with it, so it must outlive the dialog's window.
class Win32Window : public Window {
 public:
  explicit Win32Window(HWND handle = nullptr) : handle_(handle) {}

  void SetItemText(int id, std::string_view text) override;
  std::string ItemText(int id) const override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;

  void ClearList(int id) override;
  int AddListEntry(int id, std::string_view text) override;
  void SelectListEntry(int id, int index) override;
  std::optional<std::string> SelectedListText(int id) const override;
  void SetTextLimit(int id, int characters) override;
  bool IsChecked(int id) const override;
  void SetChecked(int id, bool checked) override;
  void EnableItem(int id, bool enabled) override;
  void ShowItem(int id, bool visible) override;
  void SetProgressRange(int id, int lowest, int highest) override;
  void SetProgressPosition(int id, int position) override;
  void EndDialog(int result) override;
  bool IsMenuItemChecked(int id) const override;
  void CheckMenuItem(int id, bool checked) override;
  void SetButtonImage(int id, int bitmap) override;
  void SetIcon(int icon) override;
  void AddTooltip(int id, std::string_view text, int toolId) override;
  void ShowAsLink(int id, Colour colour) override;
  void PostQuit(int exitCode) override;
  void PostCommand(int id) override;
  void BringToFront() override;

  HWND handle() const { return handle_; }
  void Attach(HWND handle) { handle_ = handle; }

  // The answer to WM_CTLCOLORSTATIC for a static control: in a window with links, the
  // control is drawn transparently in black or in its link colour; elsewhere the
  // system's default drawing stays (nothing is answered).
  std::optional<INT_PTR> StaticColours(HDC context, HWND control) const;

 private:
  HWND handle_;
  std::vector<OwnedGdiObject> objects_;
  std::vector<OwnedIcon> icons_;
  std::map<int, COLORREF> links_;
  OwnedGdiObject linkFont_;
};

// The handle behind a window of this backend; null for no window or any other kind.
HWND HandleOf(const Window* window);

}  // namespace vantrel::ui::win32
