// The settings store over the Windows registry, for a root of the caller's choice. The
// launcher uses HKEY_LOCAL_MACHINE (OpenDefaultSettingsStore); tests may point it at
// HKEY_CURRENT_USER where the machine root is not writable.
#pragma once

#include <memory>

#include "platform/settings_store.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {

// A store whose key paths are read below `root`, always in the registry's 32-bit view.
std::unique_ptr<SettingsStore> OpenRegistryStore(HKEY root);

}  // namespace vantrel::platform
