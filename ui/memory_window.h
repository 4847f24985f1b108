// A window whose controls exist only in memory: texts, list boxes, check boxes, enabled
// states and the result it was ended with are kept and can be read back. The command
// line's windows are of this kind, and so is the tests' fake window. Every list box of
// the launcher's templates is sorted, so these lists keep their entries sorted as a
// sorted list box does: letter case ignored, a new entry placed after those equal to it.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/window.h"

namespace vantrel::ui {

class MemoryWindow : public Window {
 public:
  void SetItemText(int id, std::string_view text) override;
  std::string ItemText(int id) const override;
  // No message loop runs the timers of a window in memory; they never tick.
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}

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
  void SetIcon(int icon) override { icon_ = icon; }
  void AddTooltip(int id, std::string_view text, int toolId) override;
  void ShowAsLink(int id, Colour colour) override { links_[id] = colour; }
  void PostQuit(int exitCode) override { quitPosted_ = exitCode; }
  void PostCommand(int id) override { postedCommands_.push_back(id); }
  void BringToFront() override { ++broughtToFront_; }

  // The entries of list `id` in their order, and the index of its selected entry.
  std::vector<std::string> ListEntries(int id) const;
  std::optional<int> SelectedListEntry(int id) const;
  // The limit set on edit field `id`; empty optional when none was set.
  std::optional<int> TextLimit(int id) const;
  // The range and position of progress bar `id`; empty optional when never set.
  std::optional<std::pair<int, int>> ProgressRange(int id) const;
  std::optional<int> ProgressPosition(int id) const;
  // Controls are enabled until they are disabled.
  bool IsEnabled(int id) const;
  // Controls are visible until they are hidden.
  bool IsVisible(int id) const;
  // What EndDialog was given; empty optional while the dialog is open.
  std::optional<int> endedWith() const { return endedWith_; }

  // The bitmap shown on button `id`, and the window's icon; empty when none was set.
  std::optional<int> ButtonImage(int id) const;
  std::optional<int> icon() const { return icon_; }
  struct Tooltip {
    int control;
    std::string text;
    int toolId;
    friend bool operator==(const Tooltip&, const Tooltip&) = default;
  };
  // Every tooltip added, in order.
  const std::vector<Tooltip>& tooltips() const { return tooltips_; }
  // The controls drawn as links, with their colours.
  const std::map<int, Colour>& links() const { return links_; }
  // The exit code of the quit message posted last; empty when none was posted.
  std::optional<int> quitPosted() const { return quitPosted_; }
  // Commands posted to the window and not yet taken (see TakePostedCommands).
  const std::vector<int>& postedCommands() const { return postedCommands_; }
  std::vector<int> TakePostedCommands();
  int broughtToFront() const { return broughtToFront_; }

 private:
  struct List {
    std::vector<std::string> entries;
    std::optional<int> selected;
  };

  std::map<int, std::string> texts_;
  std::map<int, List> lists_;
  std::map<int, int> textLimits_;
  std::map<int, std::pair<int, int>> progressRanges_;
  std::map<int, int> progressPositions_;
  std::set<int> checked_;
  std::set<int> disabled_;
  std::set<int> hidden_;
  std::optional<int> endedWith_;
  std::set<int> checkedMenuItems_;
  std::map<int, int> buttonImages_;
  std::optional<int> icon_;
  std::vector<Tooltip> tooltips_;
  std::map<int, Colour> links_;
  std::optional<int> quitPosted_;
  std::vector<int> postedCommands_;
  int broughtToFront_ = 0;
};

}  // namespace vantrel::ui
