// The services Setup.exe and Uninstall.exe run with: a desktop whose windows carry the
// program's icon, and the settings store of the whole machine. Their keys belong below
// HKEY_LOCAL_MACHINE whichever store the launcher itself reads first, so they open that
// root explicitly rather than taking the launcher's default store.
#pragma once

#include <memory>

#include "platform/service.h"
#include "platform/settings_store.h"
#include "platform/win32/registry_store_win32.h"
#include "ui/win32/program_icon.h"
#include "ui/window.h"

namespace vantrel::win32 {

class ProgramServices {
 public:
  // `iconId`: the program's icon resource.
  explicit ProgramServices(int iconId)
      : desktop_(iconId), machine_(platform::OpenRegistryStore(HKEY_LOCAL_MACHINE)) {}

 private:
  ui::win32::IconDesktop desktop_;
  std::unique_ptr<platform::SettingsStore> machine_;
  platform::ScopedService<ui::Desktop> shown_{desktop_};
  platform::ScopedService<platform::SettingsStore> settings_{*machine_};
};

}  // namespace vantrel::win32
