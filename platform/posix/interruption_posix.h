// What the POSIX process backend tells the interruption catcher: the game it waits for,
// which a caught signal asks to end.
#pragma once

#include <sys/types.h>

namespace vantrel::platform::posix {

// The game process being waited for, or 0 for none. When a signal was caught before the
// game was named, the game is asked to end at once.
void SetWaitedForGame(pid_t game);

}  // namespace vantrel::platform::posix
