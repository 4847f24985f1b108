// The game runner setting, shared by both backends so that `vantrel` can set it the same
// way everywhere; only the POSIX backend starts games through it.
#include "platform/process.h"

#include <cstdlib>

namespace vantrel::platform {
namespace {

// Empty until a program sets a runner; one thread runs the launcher's code.
std::optional<std::string> installedRunner;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::string> UseGameRunner(std::optional<std::string> command) {
  std::optional<std::string> previous = std::move(installedRunner);
  installedRunner = std::move(command);
  return previous;
}

std::string GameRunner() {
  if (installedRunner) return *installedRunner;
  const char* fromEnvironment = std::getenv("VANTREL_RUNNER");
  return fromEnvironment != nullptr ? fromEnvironment : "";
}

std::vector<std::string> RunnerWords(std::string_view command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && IsBlank(command[i])) ++i;
    const std::size_t start = i;
    while (i < command.size() && !IsBlank(command[i])) ++i;
    if (i > start) words.emplace_back(command.substr(start, i - start));
  }
  return words;
}

}  // namespace vantrel::platform
