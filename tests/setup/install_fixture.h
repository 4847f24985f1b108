// One machine for the tests of Setup and Uninstall: a temporary folder holding the setup
// package's folder (Setup's current folder while a test runs), a destination folder with
// a blank in its name, the shell's Start Menu and desktop folders, a registry file with
// the games' own entries, a recording shell and a fake desktop.
#pragma once

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_shell.h"
#include "tests/support/scoped_settings.h"
#include "tests/support/temp_folder.h"

namespace vantrel::testing {

// The games' own registry entries.
inline constexpr char kTieSourceKey[] = "Software\\LucasArts Entertainment Company LLC\\TIE95\\1.0";
inline constexpr char kXvtSourceKey[] =
    "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0";
inline constexpr char kXwaSourceKey[] =
    "Software\\LucasArts Entertainment Company LLC\\X-Wing Alliance\\v1.0";

using Names = std::vector<std::string>;

// A message box as the user saw it, compared whole.
struct Message {
  std::string title;
  std::string text;
  ui::Icon icon = ui::Icon::None;
  ui::Buttons buttons = ui::Buttons::Ok;
  bool operator==(const Message&) const = default;
};
void PrintTo(const Message& message, std::ostream* out);

class InstallTest : public ::testing::Test {
 protected:
  InstallTest();
  ~InstallTest() override;

  // Writes the setup package: each pair is an entry's stored name and its bytes; a name
  // ending in '/' is a folder entry.
  void WritePackage(std::initializer_list<std::pair<std::string_view, std::string_view>> entries);
  // The usual package: the programs, a readme, a guide with a blank in its name, a folder.
  void WriteUsualPackage();
  void SetGameSource(std::string_view key, std::string_view folder);

  // A value of the settings store, and the whole registry file's text.
  std::optional<std::string> Value(std::string_view key, std::string_view name);
  std::string RegistryText();

  // The templates of the dialogs opened so far, and the message boxes shown, in order.
  Names OpenedTemplates() const;
  std::vector<Message> Messages() const;

  // Paths below the temporary folder, as the programs compose them.
  std::string StartMenu(std::string_view below) const;
  std::string Desktop(std::string_view below) const;

  TempFolder temp;
  ScopedSettings settings;
  FakeDesktop desktop;
  RecordingShell shell;
  // "<temp>\Program Files\Morvain Unlimited\Vantrel".
  std::string destination;

 private:
  std::string previousFolder_;
};

}  // namespace vantrel::testing
