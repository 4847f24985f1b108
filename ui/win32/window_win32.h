// A launcher window as the subsystems see it, over a real dialog's handle: its controls
// are reached by id through the wide Win32 calls and the controls' own messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"
#include "ui/window.h"

namespace vantrel::ui::win32 {

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

  HWND handle() const { return handle_; }
  void Attach(HWND handle) { handle_ = handle; }

 private:
  HWND handle_;
};

// The handle behind a window of this backend; null for no window or any other kind.
HWND HandleOf(const Window* window);

}  // namespace vantrel::ui::win32
