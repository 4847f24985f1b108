// The settings store over the Windows registry: one root of the caller's choice (Setup
// writes below HKEY_LOCAL_MACHINE), or the launcher's per-user store, which reads the
// user's tree before the machine's and writes only the user's (OpenDefaultSettingsStore
// is that store over HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE).
#pragma once

#include <memory>

#include "platform/settings_store.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {

// A store whose key paths are read below `root`, always in the registry's 32-bit view.
std::unique_ptr<SettingsStore> OpenRegistryStore(HKEY root);

// Reads a value from `user`'s key where it is there, else from `machine`'s. Writes go to
// `user`'s key, made when `machine` has the key; a key neither has takes nothing.
// CreateKey makes the key in `user`; DeleteKeyTree removes it from both.
std::unique_ptr<SettingsStore> OpenPerUserRegistryStore(HKEY user, HKEY machine);

}  // namespace vantrel::platform
