// `vantrel`: the launcher's operations for scripts, Linux and Wine users.
#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "cli/options.h"
#include "platform/command_line.h"
#include "platform/settings_store.h"

namespace vantrel::cli {
namespace {

struct Command {
  const char* name;
  int (*run)(const Options&, const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"folders", FoldersCommand},
    {"load", LoadCommand},
};

int Run(const std::vector<std::string>& arguments) {
  const std::optional<Options> options = ParseOptions(arguments);
  if (!options) return 2;
  if (options->help) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  if (options->words.empty()) return UsageError("no command given");

  std::unique_ptr<platform::SettingsStore> fileStore;
  if (options->registryFile) {
    fileStore = platform::OpenRegistryFileStore(*options->registryFile);
    platform::UseSettingsStore(fileStore.get());
  }

  const std::string& name = options->words.front();
  const std::vector<std::string> words(options->words.begin() + 1, options->words.end());
  for (const Command& command : kCommands) {
    if (name == command.name) {
      const int status = command.run(*options, words);
      platform::UseSettingsStore(nullptr);
      return status;
    }
  }
  platform::UseSettingsStore(nullptr);
  return UsageError("unknown command " + name);
}

}  // namespace
}  // namespace vantrel::cli

int main(int argc, char** argv) {
  return vantrel::cli::Run(vantrel::platform::CommandLineArguments(argc, argv));
}
