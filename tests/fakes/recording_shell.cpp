#include "tests/fakes/recording_shell.h"

namespace vantrel::testing {

RecordingShell::RecordingShell(std::optional<std::string> programs,
                               std::optional<std::string> desktop)
    : programs_(std::move(programs)), desktop_(std::move(desktop)) {}

bool RecordingShell::OpenDocument(const std::string& path) {
  opened_.push_back(path);
  return true;
}

// The link is made by the native backend, so that what lands on disk is what the
// program would make; the record says what was asked.
bool RecordingShell::CreateShortcut(const std::string& target, const std::string& linkPath,
                                    const std::string& description) {
  shortcuts_.push_back({target, linkPath, description});
  return platform::NativeShell().CreateShortcut(target, linkPath, description);
}

std::optional<std::string> RecordingShell::KnownFolder(platform::CommonFolder folder) {
  return folder == platform::CommonFolder::Programs ? programs_ : desktop_;
}

}  // namespace vantrel::testing
