// The main window's status line (control 1068) as the status seam the subsystems report
// through: they set a text, and this puts it into the control.
#pragma once

#include <string_view>

#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel {

class MainWindowStatusLine : public ui::StatusLine {
 public:
  explicit MainWindowStatusLine(ui::Window& mainWindow) : mainWindow_(mainWindow) {}
  void SetText(std::string_view text) override;

 private:
  ui::Window& mainWindow_;
};

}  // namespace vantrel
