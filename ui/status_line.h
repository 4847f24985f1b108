// Where an operation tells the player what it is doing while it works: in the launcher
// the main window's status line ("Decrypting missions...", "Game running..."), in
// `vantrel` a line on the terminal with --verbose. Operations are handed one and only
// set its text; they never know which window, if any, shows it.
#pragma once

#include <string_view>

namespace vantrel::ui {

class StatusLine {
 public:
  virtual ~StatusLine() = default;
  virtual void SetText(std::string_view text) = 0;
};

}  // namespace vantrel::ui
