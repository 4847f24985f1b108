#include "launcher/main_window_status.h"

#include "resources/launcher_ids.h"

namespace vantrel {

void MainWindowStatusLine::SetText(std::string_view text) {
  mainWindow_.SetItemText(IDC_STATUS_LINE, text);
}

}  // namespace vantrel
