// The system clock as the launcher reads it: the current time in UTC, as a file time.
#pragma once

#include "platform/file_system.h"

namespace vantrel::platform {

FileTime CurrentFileTime();

}  // namespace vantrel::platform
