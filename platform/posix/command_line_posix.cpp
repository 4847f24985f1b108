// POSIX hands the arguments over as bytes, which are UTF-8 on the systems Vantrel runs on.
#include "platform/command_line.h"

namespace vantrel::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

}  // namespace vantrel::platform
