// Loads, plays, repairs of interrupted plays and changes of the X-Wing Alliance pilots,
// from VNTL.exe and from `vantrel` alike, run one at a time per launcher installation:
// each takes the installation's operation lock first, and a second one waits a few
// seconds for the first to end before it gives up and says why.
#pragma once

#include <chrono>
#include <optional>

#include "platform/file_lock.h"
#include "ui/window.h"

namespace vantrel {

// Long enough for a load or a pilot change to end, short enough that a player who
// started a second operation by mistake is not kept waiting.
inline constexpr std::chrono::milliseconds kOperationWait{5000};

inline constexpr char kOperationRunningMessage[] =
    "Another Vantrel operation is running in this installation. Try again when it has ended.";

// Takes the lock of the launcher folder in the settings. When another operation holds
// it for the whole wait, the player is told in a box owned by `owner` and nothing is
// returned. Without a launcher folder there is no installation to guard: the operation
// goes ahead.
std::optional<platform::FileLock> BeginOperation(ui::Window* owner);

// Takes the same lock without waiting and without telling anyone; nothing is returned
// while another operation holds it. For work that may as well be left to the next
// operation, such as the launcher's finishing of interrupted plays at its start: the
// lock's holder may be a play in progress, whose patched executable and plain missions
// are not left over but in use.
std::optional<platform::FileLock> TryOperation();

}  // namespace vantrel
