// The system clock as the launcher reads it: the current time in UTC, as a file time.
// Tests may put another clock in its place, to start a play at a time of their choosing.
#pragma once

#include <functional>

#include "platform/file_system.h"

namespace vantrel::platform {

FileTime CurrentFileTime();

// The system clock itself, whatever clock is installed.
FileTime SystemClockTime();

// Installs `clock` in place of the system clock; an empty function goes back to it.
// Returns the one it replaced.
std::function<FileTime()> UseClock(std::function<FileTime()> clock);

}  // namespace vantrel::platform
