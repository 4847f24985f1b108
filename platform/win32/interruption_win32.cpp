// Catching Ctrl+C, Ctrl+Break and the closing of the console with a console control
// handler. The handler runs on a thread of its own: it records the request and ends the
// game being waited for, so that the launcher's thread returns from its wait and puts the
// files back. When the console is closed, Windows ends the process as soon as the handler
// returns, so the handler waits (a few seconds at most) until that work is done.
#include "platform/interruption.h"

#include <atomic>

#include "platform/win32/interruption_win32.h"
#include "platform/win32/unique_handle.h"

namespace vantrel::platform {
namespace {

std::atomic<int> caught{0};
std::atomic<HANDLE> waitedForGame{nullptr};
// Set when the catcher goes, that is when everything has been put back.
win32::KernelHandle finished(CreateEventW(nullptr, TRUE, FALSE, nullptr));

BOOL WINAPI RecordRequest(DWORD event) {
  int signal = 0;
  switch (event) {
    case CTRL_C_EVENT:
      signal = 2;
      break;
    case CTRL_BREAK_EVENT:
      signal = 21;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      signal = 1;
      break;
    default:
      return FALSE;
  }
  caught.store(signal);
  if (HANDLE game = waitedForGame.load(); game != nullptr) TerminateProcess(game, 128 + signal);
  if (signal == 1 && finished.valid()) WaitForSingleObject(finished.get(), 4'000);
  return TRUE;
}

}  // namespace

namespace win32 {

void SetWaitedForGame(HANDLE game) {
  waitedForGame.store(game);
  if (game != nullptr && caught.load() != 0) TerminateProcess(game, 128 + caught.load());
}

}  // namespace win32

InterruptionCatcher::InterruptionCatcher() {
  caught.store(0);
  if (finished.valid()) ResetEvent(finished.get());
  SetConsoleCtrlHandler(RecordRequest, TRUE);
}

InterruptionCatcher::~InterruptionCatcher() {
  if (finished.valid()) SetEvent(finished.get());
  SetConsoleCtrlHandler(RecordRequest, FALSE);
  caught.store(0);
}

int CaughtInterruption() { return caught.load(); }

}  // namespace vantrel::platform
