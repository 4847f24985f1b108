// The shell on systems without the Windows shell. Documents open with the desktop's
// `xdg-open`; a shortcut is a desktop entry file (the freedesktop.org format) under the
// name Windows would give the link, so the same names are made and removed; the Start
// Menu's programs and the desktop are folders below $XDG_DATA_HOME/vantrel, which keeps
// them apart from the user's own desktop. There is no shell to tell of associations.
#include <spawn.h>

#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/shell.h"

extern char** environ;

namespace vantrel::platform {
namespace {

// The native form of a path in the launcher's form, for a program outside this process.
std::string NativeForm(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::optional<std::string> DataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
    return std::string(data) + "/vantrel";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::string(home) + "/.local/share/vantrel";
  }
  return std::nullopt;
}

class PosixShell final : public Shell {
 public:
  // The viewer is not waited for: it runs as long as the user reads. It stays a child of
  // this process, which the programs that open documents (Setup) soon leave.
  bool OpenDocument(const std::string& path) override {
    std::string program = "xdg-open";
    std::string document = NativeForm(path);
    char* arguments[] = {program.data(), document.data(), nullptr};
    pid_t child = 0;
    return posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments, environ) == 0;
  }

  bool CreateShortcut(const std::string& target, const std::string& linkPath,
                      const std::string& description) override {
    std::string name(FileNamePart(linkPath));
    name = name.substr(0, name.rfind('.'));
    const std::string entry = "[Desktop Entry]\nType=Application\nName=" + name +
                              "\nComment=" + description + "\nExec=\"" + NativeForm(target) +
                              "\"\n";
    const std::unique_ptr<File> file = Files().Open(linkPath, OpenMode::CreateAlways);
    return file != nullptr && file->Write(entry.data(), entry.size());
  }

  std::optional<std::string> KnownFolder(CommonFolder folder) override {
    const std::optional<std::string> data = DataFolder();
    if (!data) return std::nullopt;
    return *data + (folder == CommonFolder::Programs ? "/Start Menu/Programs" : "/Desktop");
  }

  std::optional<int> WindowsMajorVersion() override { return std::nullopt; }
  std::string WindowsFolder() override { return {}; }
  void NotifyAssociationsChanged() override {}
};

}  // namespace

Shell& NativeShell() {
  static PosixShell shell;
  return shell;
}

}  // namespace vantrel::platform
