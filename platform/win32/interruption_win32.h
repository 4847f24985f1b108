// What the Windows process backend tells the interruption catcher: the game it waits
// for, which a caught request to end ends too.
#pragma once

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

// The game process being waited for, or nullptr for none. When a request to end was
// caught before the game was named, the game is ended at once.
void SetWaitedForGame(HANDLE game);

}  // namespace vantrel::platform::win32
