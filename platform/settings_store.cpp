// The process-wide settings store: the platform's default, opened on first use, unless a
// program or a test installed another; and where the default file lives on systems
// without a registry.
#include "platform/settings_store.h"

#include <cstdlib>

namespace vantrel::platform {
namespace {

// An environment variable that is set to something; an empty one counts as unset.
std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

template <>
SettingsStore& Service<SettingsStore>::Default() {
  static const std::unique_ptr<SettingsStore> store = OpenDefaultSettingsStore();
  return *store;
}

// The variables hold native paths, so the file's name is joined with '/', which both
// backends take as a separator.
RegistryFileChoice ChooseDefaultRegistryFile() {
  if (std::optional<std::string> file = Environment("VANTREL_REGISTRY")) {
    return {*file, RegistryFileSource::VantrelRegistry};
  }
  if (std::optional<std::string> config = Environment("XDG_CONFIG_HOME")) {
    return {*config + "/vantrel/registry.reg", RegistryFileSource::XdgConfigHome};
  }
  if (std::optional<std::string> home = Environment("HOME")) {
    return {*home + "/.config/vantrel/registry.reg", RegistryFileSource::Home};
  }
  // Without a home folder there is no place for settings: the store reads nothing and
  // every write fails.
  return {{}, RegistryFileSource::None};
}

std::string DefaultRegistryFilePath() { return ChooseDefaultRegistryFile().path; }

}  // namespace vantrel::platform
