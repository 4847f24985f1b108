#include "tests/support/scoped_settings.h"

#include "core/settings.h"

namespace vantrel::testing {

ScopedSettings::ScopedSettings()
    : file_(folder_.Path("registry.reg")),
      store_(platform::OpenRegistryFileStore(file_)),
      installed_(store_.get()) {}

void ScopedSettings::SetLauncherFolder(std::string_view folder) {
  store_->CreateKey(kLauncherKey);
  store_->WriteString(kLauncherKey, kInstallPathValue, folder);
}

void ScopedSettings::SetGameFolder(GameId game, std::string_view folder) {
  store_->CreateKey(GameKey(game));
  store_->WriteString(GameKey(game), kInstallPathValue, folder);
}

}  // namespace vantrel::testing
