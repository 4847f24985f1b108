// `vantrel`: the launcher's operations for scripts, Linux and Wine users.
#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "cli/options.h"
#include "platform/command_line.h"
#include "platform/process.h"
#include "platform/settings_store.h"
#include "platform/terminal.h"
#include "ui/console/console_desktop.h"

namespace vantrel::cli {
namespace {

struct Command {
  const char* name;
  int (*run)(const Options&, const std::vector<std::string>&);
  bool printsJson;  // takes --json
};

// A new command adds its line here and its help text to kCommandHelp.
constexpr Command kCommands[] = {
    {"folders", FoldersCommand, true},
    {"load", LoadCommand, false},
    {"battles", BattlesCommand, true},
    {"play", PlayCommand, false},
    {"pilots", PilotsCommand, true},
    {"pack", PackCommand, false},
    {"inspect", InspectCommand, true},
    {"help", HelpCommand, false},
};

int Run(const std::vector<std::string>& arguments) {
  const std::optional<Options> options = ParseOptions(arguments);
  if (!options) return 2;
  if (options->version) {
    std::fputs(VersionText(), stdout);
    return 0;
  }
  // `vantrel --help` is the general usage, `vantrel COMMAND --help` the command's own.
  if (options->help) {
    std::vector<std::string> topic;
    if (!options->words.empty()) topic.push_back(options->words.front());
    return HelpCommand(*options, topic);
  }
  if (options->words.empty()) return UsageError("no command given");

  std::unique_ptr<platform::SettingsStore> fileStore;
  if (options->registryFile) fileStore = platform::OpenRegistryFileStore(*options->registryFile);
  const platform::ScopedService<platform::SettingsStore> settings(fileStore.get());

  // What the launcher would show in windows goes to the terminal.
  ui::ConsoleDesktop desktop({options->assumeYes, options->verbose,
                              platform::StandardErrorIsTerminal()});
  const platform::ScopedService<ui::Desktop> scopedDesktop(desktop);
  ui::ConsoleWindow mainWindow(desktop);
  const platform::ScopedService<ui::ConsoleWindow> scopedMainWindow(mainWindow);
  platform::RunnerCommand runner{options->runner.value_or("")};
  const platform::ScopedService<platform::RunnerCommand> scopedRunner(
      options->runner ? &runner : nullptr);

  const std::string& name = options->words.front();
  const std::vector<std::string> words(options->words.begin() + 1, options->words.end());
  int status = -1;
  // Each command is one operation: a cause it reports was met by the command itself.
  platform::ClearLastFailure();
  for (const Command& command : kCommands) {
    if (name == command.name) {
      status = options->json && !command.printsJson
                   ? UsageError(name + " has no --json output"
                                       " (folders, battles, pilots and inspect have)")
                   : command.run(*options, words);
      break;
    }
  }
  return status >= 0 ? status : UsageError("unknown command " + name);
}

}  // namespace
}  // namespace vantrel::cli

int main(int argc, char** argv) {
  return vantrel::cli::Run(vantrel::platform::CommandLineArguments(argc, argv));
}
