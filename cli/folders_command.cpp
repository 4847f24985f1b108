// `vantrel folders`, `folders set NAME PATH` and `folders --where`: the folders of the
// settings store, read and written as the launcher's Directories dialog does, except that
// a missing key is created so a fresh machine can be set up from the command line; and
// which settings file is in use.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/stored_folder.h"
#include "core/settings.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/settings_store.h"

namespace vantrel::cli {
namespace {

void PrintFolder(std::string_view name, const std::string& folder) {
  const std::string shown = platform::WithNativeSeparators(folder);
  std::printf("%.*s\t%s\n", static_cast<int>(name.size()), name.data(), shown.c_str());
}

// {"launcher":PATH,"last-dir":PATH,"tie":PATH,...}, null for a folder that is not set.
void PrintFoldersJson() {
  JsonWriter json;
  json.BeginObject();
  json.Key("launcher").StringOrNull(platform::WithNativeSeparators(ReadLauncherFolder()));
  json.Key("last-dir").StringOrNull(platform::WithNativeSeparators(ReadLastDir()));
  for (GameId game : kAllGames) {
    const std::string folder = platform::WithNativeSeparators(ReadGameFolder(game));
    json.Key(Game(game).commandLineName).StringOrNull(folder);
  }
  json.EndObject();
  std::printf("%s\n", json.text().c_str());
}

// Why the settings are where they are, for `folders --where`: FILE<TAB>REASON.
int PrintWhere(const Options& options) {
  std::string file;
  std::string reason;
  if (options.registryFile) {
    file = *options.registryFile;
    reason = "from --registry";
  } else {
#ifdef _WIN32
    std::printf("registry\tHKEY_LOCAL_MACHINE in its 32-bit view, as the launcher keeps it\n");
    return 0;
#else
    const platform::RegistryFileChoice choice = platform::ChooseDefaultRegistryFile();
    file = choice.path;
    switch (choice.source) {
      case platform::RegistryFileSource::VantrelRegistry:
        reason = "from $VANTREL_REGISTRY";
        break;
      case platform::RegistryFileSource::XdgConfigHome:
        reason = "from $XDG_CONFIG_HOME";
        break;
      case platform::RegistryFileSource::Home:
        reason = "the default under $HOME, as $XDG_CONFIG_HOME is not set";
        break;
      case platform::RegistryFileSource::None:
        return Fail("there is no settings file: none of --registry, $VANTREL_REGISTRY, "
                    "$XDG_CONFIG_HOME and $HOME is given");
    }
#endif
  }
  if (platform::Files().Kind(file) == platform::PathKind::Missing) {
    reason += "; it does not exist yet (vantrel folders set creates it)";
  }
  std::printf("%s\t%s\n", platform::WithNativeSeparators(file).c_str(), reason.c_str());
  return 0;
}

struct Target {
  std::string key;
  std::string_view value;
  std::string_view name;  // as `folders` prints it
};

std::optional<Target> TargetNamed(const std::string& name) {
  if (name == "launcher") return Target{std::string(kLauncherKey), kInstallPathValue, "launcher"};
  if (name == "last-dir") return Target{std::string(kLauncherKey), kLastDirValue, "last-dir"};
  if (const std::optional<GameId> game = ParseGameName(name)) {
    return Target{GameKey(*game), kInstallPathValue, Game(*game).commandLineName};
  }
  return std::nullopt;
}

int SetFolder(const std::vector<std::string>& words) {
  if (words.size() != 3) return UsageError("folders set takes NAME and PATH");
  const std::optional<Target> target = TargetNamed(words[1]);
  if (!target) {
    return UsageError("unknown folder " + words[1] +
                      " (tie, xvt, bop, xwa, 0-3, launcher or last-dir)");
  }
  if (words[2].empty()) return UsageError("the folder must not be empty");
  const std::string folder = StoredFolder(words[2], platform::Files().CurrentFolder());
  const std::string shown = platform::WithNativeSeparators(folder);
  if (!platform::PathFitsLimit(folder)) {
    return Fail("the folder is longer than 259 characters: " + shown);
  }
  platform::SettingsStore& store = platform::Settings();
  if (!store.CreateKey(target->key) || !store.WriteString(target->key, target->value, folder)) {
    return Fail("cannot write the settings store", platform::LastFailure());
  }
  // A folder may be set before its game is installed, so a missing one is only a warning.
  switch (platform::Files().Kind(folder)) {
    case platform::PathKind::Folder:
      break;
    case platform::PathKind::Missing:
      std::fprintf(stderr, "vantrel: warning: %s does not exist (stored all the same)\n",
                   shown.c_str());
      break;
    case platform::PathKind::File:
      std::fprintf(stderr, "vantrel: warning: %s is a file, not a folder (stored all the same)\n",
                   shown.c_str());
      break;
  }
  PrintFolder(target->name, folder);
  return 0;
}

}  // namespace

int FoldersCommand(const Options& options, const std::vector<std::string>& words) {
  if (!words.empty() && options.json) return UsageError("--json goes with folders alone");
  if (!words.empty() && words[0] == "set") return SetFolder(words);
  if (!words.empty() && words[0] == "detect") return DetectCommand(options, words);
  if (words.size() == 1 && words[0] == "--where") return PrintWhere(options);
  if (!words.empty()) {
    return UsageError("folders takes no arguments, or set NAME PATH, or --where, or detect");
  }
  if (options.json) {
    PrintFoldersJson();
    return 0;
  }
  PrintFolder("launcher", ReadLauncherFolder());
  PrintFolder("last-dir", ReadLastDir());
  for (GameId game : kAllGames) PrintFolder(Game(game).commandLineName, ReadGameFolder(game));
  return 0;
}

}  // namespace vantrel::cli
