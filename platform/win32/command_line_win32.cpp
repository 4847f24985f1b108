// The wide command line split by the system's own rules and turned into UTF-8.
#include "platform/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "platform/win32/text_win32.h"

namespace vantrel::platform {
namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* pointer) const { LocalFree(pointer); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> result;
  if (!arguments) return result;
  for (int i = 1; i < count; ++i) result.push_back(win32::Narrow(arguments.get()[i]));
  return result;
}

}  // namespace vantrel::platform
