// The game runner setting, shared by both backends so that `vantrel` can set it the same
// way everywhere; only the POSIX backend starts games through it.
#include "platform/process.h"

#include <cstdlib>

namespace vantrel::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

template <>
RunnerCommand& Service<RunnerCommand>::Default() {
  static RunnerCommand fromEnvironment;
  const char* text = std::getenv("VANTREL_RUNNER");
  fromEnvironment.text = text != nullptr ? text : "";
  return fromEnvironment;
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
