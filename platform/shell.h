// What Setup and Uninstall need of the desktop shell: opening a document, the shell
// links of the Start Menu and the desktop, the folders the shell keeps them in, the
// system's version and Windows folder (which decide where older systems keep them), and
// telling the shell that file associations changed. Tests install a stand-in that records
// what was asked and keeps its folders in a temporary place.
#pragma once

#include <optional>
#include <string>

#include "platform/service.h"

namespace vantrel::platform {

// The shell's folders shared by every user of the machine.
enum class CommonFolder { Programs, Desktop };

class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a document with the program the shell chooses for it, without waiting; false
  // when the shell could not start one.
  virtual bool OpenDocument(const std::string& path) = 0;

  // Creates (or replaces) the link `linkPath` that starts `target`, described by
  // `description`, with no working folder, arguments or icon of its own.
  virtual bool CreateShortcut(const std::string& target, const std::string& linkPath,
                              const std::string& description) = 0;

  // The folder as the shell knows it; nothing when the shell has none.
  virtual std::optional<std::string> KnownFolder(CommonFolder folder) = 0;

  // The major version of Windows (4 for 95 and NT 4, 5 for 2000 and XP, 6 and up for
  // Vista and later); nothing on other systems.
  virtual std::optional<int> WindowsMajorVersion() = 0;
  // The Windows folder ("C:\WINDOWS"); empty on other systems.
  virtual std::string WindowsFolder() = 0;

  // Tells the shell that a file type's association changed, so icons and the open verb
  // of files already shown are read again.
  virtual void NotifyAssociationsChanged() = 0;
};

// The shell of this process: the native backend unless a test installed another
// (ScopedService<Shell>).
template <>
Shell& Service<Shell>::Default();
inline Shell& DesktopShell() { return Service<Shell>::Get(); }

// The native backend of this build.
Shell& NativeShell();

}  // namespace vantrel::platform
