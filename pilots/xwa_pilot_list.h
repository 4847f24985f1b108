// The list of X-Wing Alliance pilots that the pilot dialog shows: one entry per pilot
// file, by the name stored at the file's start, in the list box's order, with the pilot
// the game starts with selected. Built here without any window so that the dialog only
// copies it into its list box.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window.h"

namespace vantrel {

struct PilotList {
  // Sorted as the dialog's sorted list box keeps them: names compared without regard to
  // letter case (folded to capitals, then byte by byte); equal names keep the order the
  // folder search gave their files.
  std::vector<std::string> entries;
  // Empty only when there are no entries; the dialog then disables its OK button.
  std::optional<std::size_t> selected;
};

// Reads the name of every "*.plt" file in the game folder and selects the last pilot
// (ReadXwaLastPilot) by the list box's select-string rule. A pilot file that cannot be
// opened gives the message "error" (title " ", owned by `dialogForMessages`) and no
// entry; the others are listed.
PilotList ReadXwaPilotList(ui::Window* dialogForMessages);

// The list box's select-string rule: the first entry whose text begins with `prefix`,
// letter case ignored, searching from the entry after `startAfter` to the end and then
// from the start up to `startAfter` itself. An empty prefix names no pilot and selects
// nothing.
std::optional<std::size_t> SelectString(const std::vector<std::string>& entries,
                                        std::size_t startAfter, std::string_view prefix);

}  // namespace vantrel
