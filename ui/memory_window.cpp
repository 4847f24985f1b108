// Controls held in memory, behaving as the system's controls do where the launcher can
// tell: a sorted list, a selection that a list's reset clears, and an index out of range
// that selects nothing.
#include "ui/memory_window.h"

#include <algorithm>

#include "platform/path.h"

namespace vantrel::ui {

void MemoryWindow::SetItemText(int id, std::string_view text) { texts_[id] = std::string(text); }

std::string MemoryWindow::ItemText(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void MemoryWindow::ClearList(int id) { lists_[id] = List(); }

int MemoryWindow::AddListEntry(int id, std::string_view text) {
  List& list = lists_[id];
  const std::string folded = platform::FoldCase(text);
  const auto place = std::upper_bound(list.entries.begin(), list.entries.end(), folded,
                                      [](const std::string& key, const std::string& entry) {
                                        return key < platform::FoldCase(entry);
                                      });
  const int index = static_cast<int>(place - list.entries.begin());
  list.entries.insert(place, std::string(text));
  // The selected entry moves down with the entries after it, as in a list box.
  if (list.selected && *list.selected >= index) ++*list.selected;
  return index;
}

void MemoryWindow::SelectListEntry(int id, int index) {
  List& list = lists_[id];
  if (index >= 0 && index < static_cast<int>(list.entries.size())) {
    list.selected = index;
  } else {
    list.selected.reset();
  }
}

std::optional<std::string> MemoryWindow::SelectedListText(int id) const {
  const auto found = lists_.find(id);
  if (found == lists_.end() || !found->second.selected) return std::nullopt;
  return found->second.entries[static_cast<std::size_t>(*found->second.selected)];
}

void MemoryWindow::SetTextLimit(int id, int characters) { textLimits_[id] = characters; }

void MemoryWindow::SetProgressRange(int id, int lowest, int highest) {
  progressRanges_[id] = {lowest, highest};
}

void MemoryWindow::SetProgressPosition(int id, int position) { progressPositions_[id] = position; }

std::optional<std::pair<int, int>> MemoryWindow::ProgressRange(int id) const {
  const auto found = progressRanges_.find(id);
  if (found == progressRanges_.end()) return std::nullopt;
  return found->second;
}

std::optional<int> MemoryWindow::ProgressPosition(int id) const {
  const auto found = progressPositions_.find(id);
  if (found == progressPositions_.end()) return std::nullopt;
  return found->second;
}

bool MemoryWindow::IsChecked(int id) const { return checked_.contains(id); }

void MemoryWindow::SetChecked(int id, bool checked) {
  if (checked) {
    checked_.insert(id);
  } else {
    checked_.erase(id);
  }
}

void MemoryWindow::EnableItem(int id, bool enabled) {
  if (enabled) {
    disabled_.erase(id);
  } else {
    disabled_.insert(id);
  }
}

void MemoryWindow::EndDialog(int result) { endedWith_ = result; }

std::vector<std::string> MemoryWindow::ListEntries(int id) const {
  const auto found = lists_.find(id);
  return found == lists_.end() ? std::vector<std::string>() : found->second.entries;
}

std::optional<int> MemoryWindow::SelectedListEntry(int id) const {
  const auto found = lists_.find(id);
  return found == lists_.end() ? std::nullopt : found->second.selected;
}

std::optional<int> MemoryWindow::TextLimit(int id) const {
  const auto found = textLimits_.find(id);
  return found == textLimits_.end() ? std::nullopt : std::optional<int>(found->second);
}

bool MemoryWindow::IsMenuItemChecked(int id) const { return checkedMenuItems_.contains(id); }

void MemoryWindow::CheckMenuItem(int id, bool checked) {
  if (checked) {
    checkedMenuItems_.insert(id);
  } else {
    checkedMenuItems_.erase(id);
  }
}

void MemoryWindow::SetButtonImage(int id, int bitmap) { buttonImages_[id] = bitmap; }

std::optional<int> MemoryWindow::ButtonImage(int id) const {
  const auto found = buttonImages_.find(id);
  return found == buttonImages_.end() ? std::nullopt : std::optional<int>(found->second);
}

void MemoryWindow::AddTooltip(int id, std::string_view text, int toolId) {
  tooltips_.push_back({id, std::string(text), toolId});
}

std::vector<int> MemoryWindow::TakePostedCommands() {
  std::vector<int> taken;
  taken.swap(postedCommands_);
  return taken;
}

bool MemoryWindow::IsEnabled(int id) const { return !disabled_.contains(id); }

void MemoryWindow::ShowItem(int id, bool visible) {
  if (visible) {
    hidden_.erase(id);
  } else {
    hidden_.insert(id);
  }
}

bool MemoryWindow::IsVisible(int id) const { return !hidden_.contains(id); }

}  // namespace vantrel::ui
