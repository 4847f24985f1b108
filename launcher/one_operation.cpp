#include "launcher/one_operation.h"

#include <string>

#include "core/operation_lock.h"
#include "core/settings.h"

namespace vantrel {

namespace {

// The installation's lock, or nothing when another operation kept it for the whole wait.
std::optional<platform::FileLock> TakeLock(std::chrono::milliseconds wait) {
  const std::string launcherFolder = ReadLauncherFolder();
  if (launcherFolder.empty()) {
    return platform::FileLock(platform::FileLock::State::Unavailable);
  }
  platform::FileLock lock = TakeOperationLock(launcherFolder, wait);
  if (!lock) return std::nullopt;
  return lock;
}

}  // namespace

std::optional<platform::FileLock> BeginOperation(ui::Window* owner) {
  std::optional<platform::FileLock> lock = TakeLock(kOperationWait);
  if (!lock) ui::ShowVntlMessage(owner, kOperationRunningMessage, ui::Icon::Exclamation);
  return lock;
}

std::optional<platform::FileLock> TryOperation() { return TakeLock(std::chrono::milliseconds(0)); }

}  // namespace vantrel
