// Catching TERM, INT and HUP with sigaction. The handler only records the signal and
// sends TERM on to the game being waited for; both are safe in a signal handler. The
// handlers restart interrupted system calls, so file work under way goes on unharmed.
#include "platform/interruption.h"

#include <signal.h>

#include <atomic>
#include <iterator>

#include "platform/posix/interruption_posix.h"

namespace vantrel::platform {
namespace {

constexpr int kCaughtSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> caught{0};
std::atomic<pid_t> waitedForGame{0};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

// The handlers in place before the catcher, put back when it goes.
struct sigaction previous[std::size(kCaughtSignals)];

extern "C" void RecordSignal(int signal) {
  caught.store(signal);
  if (const pid_t game = waitedForGame.load(); game > 0) kill(game, SIGTERM);
}

}  // namespace

namespace posix {

void SetWaitedForGame(pid_t game) {
  waitedForGame.store(game);
  if (game > 0 && caught.load() != 0) kill(game, SIGTERM);
}

}  // namespace posix

InterruptionCatcher::InterruptionCatcher() {
  caught.store(0);
  struct sigaction action {};
  action.sa_handler = RecordSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i) {
    sigaction(kCaughtSignals[i], &action, &previous[i]);
  }
}

InterruptionCatcher::~InterruptionCatcher() {
  for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i) {
    sigaction(kCaughtSignals[i], &previous[i], nullptr);
  }
  caught.store(0);
}

int CaughtInterruption() { return caught.load(); }

}  // namespace vantrel::platform
