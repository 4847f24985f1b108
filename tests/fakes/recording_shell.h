// A stand-in for the desktop shell, installed for its lifetime: it records the documents
// opened and every notice of changed associations, makes shortcuts as the native backend
// does (a file at the link's path), keeps the common Start Menu and desktop folders
// where the test says, and reports the Windows version and folder the test chooses.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace vantrel::testing {

struct MadeShortcut {
  std::string target;
  std::string link;
  std::string description;
};

class RecordingShell : public platform::Shell {
 public:
  // `programs` and `desktop`: the known folders, or nothing for a shell without them.
  RecordingShell(std::optional<std::string> programs, std::optional<std::string> desktop);
  RecordingShell(const RecordingShell&) = delete;
  RecordingShell& operator=(const RecordingShell&) = delete;

  bool OpenDocument(const std::string& path) override;
  bool CreateShortcut(const std::string& target, const std::string& linkPath,
                      const std::string& description) override;
  std::optional<std::string> KnownFolder(platform::CommonFolder folder) override;
  std::optional<int> WindowsMajorVersion() override { return version_; }
  std::string WindowsFolder() override { return windowsFolder_; }
  void NotifyAssociationsChanged() override { ++associationNotices_; }

  // Pretends to be that Windows version with that Windows folder.
  void PretendWindows(int majorVersion, std::string windowsFolder) {
    version_ = majorVersion;
    windowsFolder_ = std::move(windowsFolder);
  }

  const std::vector<std::string>& openedDocuments() const { return opened_; }
  const std::vector<MadeShortcut>& shortcuts() const { return shortcuts_; }
  int associationNotices() const { return associationNotices_; }

 private:
  std::optional<std::string> programs_;
  std::optional<std::string> desktop_;
  std::optional<int> version_;
  std::string windowsFolder_;
  std::vector<std::string> opened_;
  std::vector<MadeShortcut> shortcuts_;
  int associationNotices_ = 0;
  platform::ScopedService<platform::Shell> installed_{this};
};

}  // namespace vantrel::testing
