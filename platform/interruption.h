// Requests from outside to end the program while it has the player's files half changed:
// on POSIX the signals TERM, INT and HUP, on Windows Ctrl+C, Ctrl+Break and the closing
// of the console. While an InterruptionCatcher lives, such a request no longer ends the
// program at once: it is recorded, a game being waited for is asked to end (so the wait
// returns), and the code that holds the catcher puts everything back and then ends the
// program with 128 + the signal's number, as a shell expects of a program a signal ended.
#pragma once

namespace vantrel::platform {

class InterruptionCatcher {
 public:
  InterruptionCatcher();
  ~InterruptionCatcher();
  InterruptionCatcher(const InterruptionCatcher&) = delete;
  InterruptionCatcher& operator=(const InterruptionCatcher&) = delete;
};

// The number of the signal caught while the catcher lives (SIGTERM 15, SIGINT 2,
// SIGHUP 1; on Windows Ctrl+C counts as 2, Ctrl+Break as 21 and a closed console as 1),
// or 0 when none was.
int CaughtInterruption();

}  // namespace vantrel::platform
