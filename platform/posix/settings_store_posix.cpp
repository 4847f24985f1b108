// Systems without a registry keep the settings in a registry export file, at the place
// DefaultRegistryFilePath() names.
#include "platform/settings_store.h"

namespace vantrel::platform {

std::unique_ptr<SettingsStore> OpenDefaultSettingsStore() {
  return OpenRegistryFileStore(DefaultRegistryFilePath());
}

}  // namespace vantrel::platform
