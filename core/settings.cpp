// The five store operations and the executable-presence test. A value that would not fit
// a path (more than 259 characters) counts as unset, exactly as a missing one does.
#include "core/settings.h"

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/settings_store.h"

namespace vantrel {
namespace {

std::string ReadFolder(std::string_view key, std::string_view value) {
  std::optional<std::string> text = platform::Settings().ReadString(key, value);
  if (!text || !platform::PathFitsLimit(*text)) return {};
  return std::move(*text);
}

}  // namespace

std::string GameKey(GameId game) {
  std::string key(kLauncherKey);
  key += '\\';
  key += Game(game).registrySubKey;
  return key;
}

std::string ReadGameFolder(GameId game) { return ReadFolder(GameKey(game), kInstallPathValue); }

std::string ReadLauncherFolder() { return ReadFolder(kLauncherKey, kInstallPathValue); }

std::string ReadLastDir() { return ReadFolder(kLauncherKey, kLastDirValue); }

void WriteGameFolder(GameId game, std::string_view folder) {
  platform::Settings().WriteString(GameKey(game), kInstallPathValue, folder);
}

void WriteLastDir(std::string_view folder) {
  platform::Settings().WriteString(kLauncherKey, kLastDirValue, folder);
}

std::string GameExePath(GameId game) {
  return ReadGameFolder(game) + std::string(Game(game).executable);
}

bool GameExeExists(GameId game) { return platform::CanOpenForReading(GameExePath(game)); }

}  // namespace vantrel
