// The program's arguments as UTF-8. On Windows they are read from the wide command line,
// since main's narrow arguments are in the ANSI code page and lose other characters.
#pragma once

#include <string>
#include <vector>

namespace vantrel::platform {

// Every argument after the program's name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace vantrel::platform
