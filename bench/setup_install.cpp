// The installation sequence of Setup as a native program, for the setup benchmark:
// unpacks PACKAGE_FOLDER/_Setup.pak into DESTINATION with the install log and writes the
// settings into the registry file REGISTRY (shortcuts go below $XDG_DATA_HOME/vantrel).
#include <cstdio>
#include <memory>

#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "setup/install_folder.h"
#include "setup/install_steps.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: setup_install PACKAGE_FOLDER DESTINATION REGISTRY\n", stderr);
    return 2;
  }
  namespace platform = vantrel::platform;
  const std::unique_ptr<platform::SettingsStore> store = platform::OpenRegistryFileStore(argv[3]);
  const platform::ScopedService<platform::SettingsStore> installed(*store);
  if (!platform::Files().SetCurrentFolder(argv[1])) {
    std::fprintf(stderr, "setup_install: cannot change into %s\n", argv[1]);
    return 1;
  }
  if (!vantrel::CreateInstallFolder(argv[2])) {
    std::fprintf(stderr, "setup_install: cannot make %s\n", argv[2]);
    return 1;
  }
  switch (vantrel::InstallVantrel(argv[2], {})) {
    case vantrel::InstallResult::Done:
      return 0;
    case vantrel::InstallResult::PackageMissing:
      std::fputs("setup_install: no _Setup.pak in the package folder\n", stderr);
      return 1;
    case vantrel::InstallResult::LogNotCreated:
      std::fputs("setup_install: cannot write the install log\n", stderr);
      return 1;
  }
  return 1;
}
