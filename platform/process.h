// What the launcher needs of processes: start a game's executable in its folder and wait
// until it has ended. On Windows the program is started directly. Elsewhere it can be
// started through a runner (Wine, for the games' Windows executables), named by
// `vantrel --runner CMD` or $VANTREL_RUNNER, whose words are placed before the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/service.h"

namespace vantrel::platform {

struct GameProcess {
  std::string program;                  // the executable, in the launcher's path form
  std::vector<std::string> arguments;   // passed after the program, each as one argument
  std::string workingFolder;            // empty: the launcher's current folder
};

// Starts the program and waits, without a time-out, until it has ended. Gives its exit
// code (128 + the signal number for a POSIX program ended by a signal), or nothing when
// the program could not be started: missing, not executable, or a path over the limit.
std::optional<int> RunAndWait(const GameProcess& process);

// The runner that POSIX systems start games through ("wine", "env WINEDEBUG=-all wine");
// empty text means none. Windows starts games directly and ignores it. A program or test
// installs one with ScopedService<RunnerCommand>; with none installed, $VANTREL_RUNNER
// is read afresh at every use.
struct RunnerCommand {
  std::string text;
};

template <>
RunnerCommand& Service<RunnerCommand>::Default();

// The runner in force: the one installed, else $VANTREL_RUNNER, else none (empty).
inline std::string GameRunner() { return Service<RunnerCommand>::Get().text; }

// The words of a runner command, split on blanks (spaces and tabs); quotes have no
// special meaning.
std::vector<std::string> RunnerWords(std::string_view command);

}  // namespace vantrel::platform
