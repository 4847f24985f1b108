// The system clock as the launcher reads it: the current time in UTC, as a file time.
// Tests may install another clock (ScopedService<Clock>), to start a play at a time of
// their choosing.
#pragma once

#include <functional>

#include "platform/file_system.h"
#include "platform/service.h"

namespace vantrel::platform {

struct Clock {
  std::function<FileTime()> now;
};

template <>
Clock& Service<Clock>::Default();

inline FileTime CurrentFileTime() { return Service<Clock>::Get().now(); }

// The system clock itself, whatever clock is installed.
FileTime SystemClockTime();

}  // namespace vantrel::platform
