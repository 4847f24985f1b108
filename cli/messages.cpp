// The reasons `vantrel` gives when a command cannot be done, in one form: a line
// "vantrel: TEXT" on stderr that names what is wrong and, where the user can mend it,
// the command that does.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "platform/path.h"

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

std::string WithCause(const std::string& reason, const std::optional<platform::Failure>& cause) {
  if (!cause) return reason;
  const std::string& path = cause->path;
  const bool named = path.empty() || reason.find(path) != std::string::npos ||
                     reason.find(platform::WithNativeSeparators(path)) != std::string::npos;
  const std::string text = named ? cause->cause.text : ui::DescribeForConsole(*cause);
  // Told here, the cause is not told again by a message after this one.
  platform::ClearLastFailure();
  return reason + ": " + text;
}

int Fail(const std::string& reason, const std::optional<platform::Failure>& cause) {
  return Fail(WithCause(reason, cause));
}

int FailFolderUnset(GameId game) {
  return Fail("the folder of " + std::string(Game(game).name) + " is not set " +
              SetCommandFor(Game(game).commandLineName));
}

int FailLauncherFolderUnset() {
  return Fail("the launcher folder is not set " + SetCommandFor("launcher"));
}

}  // namespace vantrel::cli
