// The medium that holds the system's settings: registry keys with string values, below
// HKEY_LOCAL_MACHINE unless a key path names another root. On Windows it is the registry
// itself, in its 32-bit view; elsewhere (and wherever a file is asked for) a text file in
// the format of a registry export, so the key paths, value names and types stay the same
// everywhere.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/service.h"
#include "platform/system_error.h"

namespace vantrel::platform {

// A key path is read below HKEY_LOCAL_MACHINE, unless it begins with one of these roots.
// Setup registers the file type below HKEY_CLASSES_ROOT, and each player keeps settings
// of their own below HKEY_CURRENT_USER.
inline constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT\\";
inline constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER\\";
inline constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE\\";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The string value `name` of `key` (a path below HKEY_LOCAL_MACHINE such as
  // "Software\Morvain Unlimited\VNTL"). Empty when the key or the value is missing, the
  // value is not a string, or the key cannot be opened for reading.
  virtual std::optional<std::string> ReadString(std::string_view key, std::string_view name) = 0;

  // Stores a string value in an existing key; a missing key stays missing and the call
  // fails.
  virtual bool WriteString(std::string_view key, std::string_view name, std::string_view text) = 0;

  // Stores a 32-bit number (REG_DWORD) in an existing key, as the list of installed
  // programs expects its sizes and flags.
  virtual bool WriteNumber(std::string_view key, std::string_view name, std::uint32_t number) = 0;

  // Creates the key and every missing key above it; an existing key is no error.
  virtual bool CreateKey(std::string_view key) = 0;

  // Removes the key with every key and value below it.
  virtual bool DeleteKeyTree(std::string_view key) = 0;

  // Why the settings cannot be read whole (the file, and "line 3: what is wrong there"),
  // or nothing when they can. Such a store refuses every change, so nothing of what it
  // holds is lost; the registry always reads whole.
  virtual std::optional<Failure> WhyUnreadable() { return std::nullopt; }
};

// The store of this process. Until a program installs one (ScopedService<SettingsStore>),
// the platform's default: the registry on Windows (the user's tree over the machine's,
// see registry_store_win32.h), the file named by $VANTREL_REGISTRY or
// $XDG_CONFIG_HOME/vantrel/registry.reg elsewhere.
template <>
SettingsStore& Service<SettingsStore>::Default();
inline SettingsStore& Settings() { return Service<SettingsStore>::Get(); }

// A store kept in a registry export file at `path` (UTF-8 path in the launcher's form).
std::unique_ptr<SettingsStore> OpenRegistryFileStore(std::string path);

// What decided the file of the default store.
enum class RegistryFileSource {
  VantrelRegistry,  // $VANTREL_REGISTRY
  XdgConfigHome,    // $XDG_CONFIG_HOME/vantrel/registry.reg
  Home,             // $HOME/.config/vantrel/registry.reg, as $XDG_CONFIG_HOME is unset
  None,             // neither variable is set: there is no file
};

struct RegistryFileChoice {
  std::string path;  // empty for RegistryFileSource::None
  RegistryFileSource source;
};

// The file the default store uses when there is no registry: $VANTREL_REGISTRY, else
// $XDG_CONFIG_HOME/vantrel/registry.reg, else $HOME/.config/vantrel/registry.reg.
RegistryFileChoice ChooseDefaultRegistryFile();
std::string DefaultRegistryFilePath();

// The platform's default store (see Settings()).
std::unique_ptr<SettingsStore> OpenDefaultSettingsStore();

}  // namespace vantrel::platform
