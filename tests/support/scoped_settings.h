// A settings store of the test's own (a registry file in a temporary folder), installed
// for the lifetime of the object, with shortcuts to lay out the launcher's keys.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/game_table.h"
#include "platform/settings_store.h"
#include "tests/support/temp_folder.h"

namespace vantrel::testing {

class ScopedSettings {
 public:
  ScopedSettings();
  ScopedSettings(const ScopedSettings&) = delete;
  ScopedSettings& operator=(const ScopedSettings&) = delete;

  platform::SettingsStore& store() { return *store_; }
  const std::string& file() const { return file_; }

  // Creates the launcher key with "Install Path" = folder.
  void SetLauncherFolder(std::string_view folder);
  // Creates the game's key with "Install Path" = folder.
  void SetGameFolder(GameId game, std::string_view folder);

 private:
  TempFolder folder_;
  std::string file_;
  std::unique_ptr<platform::SettingsStore> store_;
  platform::ScopedService<platform::SettingsStore> installed_;
};

}  // namespace vantrel::testing
