#include "launcher/one_operation.h"

#include <string>

#include "core/settings.h"

namespace vantrel {

std::optional<platform::FileLock> BeginOperation(ui::Window* owner) {
  const std::string launcherFolder = ReadLauncherFolder();
  if (launcherFolder.empty()) {
    return platform::FileLock(platform::FileLock::State::Unavailable);
  }
  platform::FileLock lock = platform::TakeOperationLock(launcherFolder, kOperationWait);
  if (!lock) {
    ui::ShowVntlMessage(owner, kOperationRunningMessage, ui::Icon::Exclamation);
    return std::nullopt;
  }
  return lock;
}

}  // namespace vantrel
