// The reasons `vantrel` gives when a command cannot be done, in one form: a line
// "vantrel: TEXT" on stderr that names what is wrong and, where the user can mend it,
// the command that does.
#include <cstdio>
#include <string>

#include "cli/commands.h"

namespace vantrel::cli {
namespace {

std::string SetCommandFor(std::string_view name) {
  return "(vantrel folders set " + std::string(name) + " PATH)";
}

}  // namespace

int Fail(const std::string& reason) {
  std::fprintf(stderr, "vantrel: %s\n", reason.c_str());
  return 1;
}

int FailFolderUnset(GameId game) {
  return Fail("the folder of " + std::string(Game(game).name) + " is not set " +
              SetCommandFor(Game(game).commandLineName));
}

int FailLauncherFolderUnset() {
  return Fail("the launcher folder is not set " + SetCommandFor("launcher"));
}

}  // namespace vantrel::cli
