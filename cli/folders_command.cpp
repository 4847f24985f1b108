// `vantrel folders` and `vantrel folders set NAME PATH`: the folders of the settings
// store, read and written as the launcher's Directories dialog does, except that a
// missing key is created so a fresh machine can be set up from the command line.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "core/settings.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/settings_store.h"

namespace vantrel::cli {
namespace {

void PrintFolder(std::string_view name, const std::string& folder) {
  std::printf("%.*s\t%s\n", static_cast<int>(name.size()), name.data(), folder.c_str());
}

bool IsAbsolute(const std::string& path) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
  return path.size() >= 2 && path[1] == ':';
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// The folder as the store keeps it: absolute, and without a trailing separator unless it
// is a root ("/", "D:\").
std::string StoredForm(std::string path) {
  if (!IsAbsolute(path)) {
    std::string base = platform::Files().CurrentFolder();
    const char separator = base.find('\\') != std::string::npos ? '\\' : '/';
    if (!base.empty() && !IsSeparator(base.back())) base += separator;
    path = base + path;
  }
  while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) {
    path.pop_back();
  }
  return path;
}

struct Target {
  std::string key;
  std::string_view value;
};

std::optional<Target> TargetNamed(const std::string& name) {
  if (name == "launcher") return Target{std::string(kLauncherKey), kInstallPathValue};
  if (name == "last-dir") return Target{std::string(kLauncherKey), kLastDirValue};
  if (const std::optional<GameId> game = ParseGameName(name)) {
    return Target{GameKey(*game), kInstallPathValue};
  }
  return std::nullopt;
}

int SetFolder(const std::vector<std::string>& words) {
  if (words.size() != 3) return UsageError("folders set takes NAME and PATH");
  const std::optional<Target> target = TargetNamed(words[1]);
  if (!target) {
    return UsageError("unknown folder " + words[1] + " (tie, xvt, bop, xwa, 0-3, launcher or last-dir)");
  }
  if (words[2].empty()) return UsageError("the folder must not be empty");
  const std::string folder = StoredForm(words[2]);
  if (!platform::PathFitsLimit(folder)) {
    return Fail("the folder is longer than 259 characters: " + folder);
  }
  platform::SettingsStore& store = platform::Settings();
  if (!store.CreateKey(target->key) || !store.WriteString(target->key, target->value, folder)) {
    return Fail("cannot write the settings store");
  }
  return 0;
}

}  // namespace

int FoldersCommand(const Options& options, const std::vector<std::string>& words) {
  if (!words.empty() && words[0] == "set") return SetFolder(words);
  if (!words.empty() && words[0] == "detect") return DetectCommand(options, words);
  if (!words.empty()) return UsageError("folders takes no arguments, set NAME PATH, or detect");
  PrintFolder("launcher", ReadLauncherFolder());
  PrintFolder("last-dir", ReadLastDir());
  for (GameId game : kAllGames) PrintFolder(Game(game).commandLineName, ReadGameFolder(game));
  return 0;
}

int Fail(const std::string& reason) {
  std::fprintf(stderr, "vantrel: %s\n", reason.c_str());
  return 1;
}

}  // namespace vantrel::cli
