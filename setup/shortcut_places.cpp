// The shortcut places for each kind of system. The older layouts compose their paths as
// the systems of that time expect: a drive root such as "C:\" followed by a text that
// begins with a backslash, which gives a doubled separator the file system accepts.
#include "setup/shortcut_places.h"

#include <optional>

#include "platform/shell.h"

namespace vantrel {
namespace {

constexpr std::string_view kMakerBelowPrograms = "\\Morvain Unlimited";
constexpr std::string_view kProgramBelowMaker = "\\Vantrel";
constexpr std::string_view kShortcutName = "\\Vantrel.LNK";

ShortcutPlaces PlacesBelow(const std::string& programs, const std::string& desktop) {
  ShortcutPlaces places;
  places.makerFolder = programs + std::string(kMakerBelowPrograms);
  places.programFolder = places.makerFolder + std::string(kProgramBelowMaker);
  places.startMenuShortcut = places.programFolder + std::string(kShortcutName);
  places.desktopShortcut = desktop + std::string(kShortcutName);
  return places;
}

}  // namespace

bool HasDocumentsAndSettingsProfiles() {
  return platform::DesktopShell().WindowsMajorVersion() == 5;
}

ShortcutPlaces FindShortcutPlaces() {
  platform::Shell& shell = platform::DesktopShell();
  const std::optional<int> version = shell.WindowsMajorVersion();
  if (version == 5) {
    const std::string drive = shell.WindowsFolder().substr(0, 3);
    return PlacesBelow(drive + "\\Documents and Settings\\All Users\\Start Menu\\Programs",
                       drive + "\\Documents and Settings\\All Users\\Desktop");
  }
  if (!version || *version > 5) {
    const std::optional<std::string> programs = shell.KnownFolder(platform::CommonFolder::Programs);
    const std::optional<std::string> desktop = shell.KnownFolder(platform::CommonFolder::Desktop);
    if (programs && desktop) return PlacesBelow(*programs, *desktop);
  }
  // Windows 95 and NT 4, and any system whose shell cannot name its folders.
  const std::string windows = shell.WindowsFolder();
  return PlacesBelow(windows + "\\Start Menu\\Programs", windows + "\\Desktop");
}

}  // namespace vantrel
