// The lock of a launcher installation: a file in the launcher folder that every load,
// play, repair and pilot change holds while it runs, from VNTL.exe and from `vantrel`
// alike, so that two of them never mix one battle into another. Uninstall knows it too:
// it is the launcher's own file, in no install log.
#pragma once

#include <chrono>
#include <string>

#include "platform/file_lock.h"

namespace vantrel {

inline constexpr char kOperationLockName[] = "\\VNTL.lock";

// The lock of the launcher installation in `launcherFolder`.
inline platform::FileLock TakeOperationLock(const std::string& launcherFolder,
                                            std::chrono::milliseconds wait) {
  return platform::TakeFileLock(launcherFolder + kOperationLockName, wait);
}

}  // namespace vantrel
