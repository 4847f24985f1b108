#include "tests/setup/install_fixture.h"

#include "platform/file_system.h"
#include "platform/file_helpers.h"
#include "tests/support/zip_builder.h"

namespace vantrel::testing {

InstallTest::InstallTest()
    : shell(temp.Path("Shell\\Start Menu\\Programs"), temp.Path("Shell\\Desktop")),
      destination(temp.Path("Program Files\\Morvain Unlimited\\Vantrel")),
      previousFolder_(platform::Files().CurrentFolder()) {
  temp.MakeFolder("Source");
  temp.MakeFolder("Shell/Start Menu/Programs");
  temp.MakeFolder("Shell/Desktop");
  platform::Files().SetCurrentFolder(temp.Path("Source"));
  SetGameSource(kTieSourceKey, "C:\\Games\\TIE95");
  SetGameSource(kXvtSourceKey, "D:\\LucasArts\\XvT");
  SetGameSource(kXwaSourceKey, "C:\\Program Files\\LucasArts\\XWA");
}

InstallTest::~InstallTest() { platform::Files().SetCurrentFolder(previousFolder_); }

void InstallTest::WritePackage(
    std::initializer_list<std::pair<std::string_view, std::string_view>> entries) {
  ZipBuilder zip(temp.Native("Source/_Setup.pak").string());
  for (const auto& [name, bytes] : entries) {
    if (!name.empty() && name.back() == '/') {
      zip.AddFolder(name);
    } else {
      zip.Add(name, bytes);
    }
  }
}

void InstallTest::WriteUsualPackage() {
  WritePackage({{"VNTL.exe", "launcher"},
                {"Uninstall.exe", "uninstaller"},
                {"Readme.txt", "read me"},
                {"Docs/", ""},
                {"Docs/Battle Guide.txt", "guide"}});
}

void InstallTest::SetGameSource(std::string_view key, std::string_view folder) {
  settings.store().CreateKey(key);
  settings.store().WriteString(key, "Install Path", folder);
}

std::optional<std::string> InstallTest::Value(std::string_view key, std::string_view name) {
  return settings.store().ReadString(key, name);
}

std::string InstallTest::RegistryText() {
  return platform::ReadWholeFile(settings.file()).bytes;
}

void PrintTo(const Message& message, std::ostream* out) {
  *out << "{\"" << message.title << "\", \"" << message.text << "\", icon "
       << static_cast<int>(message.icon) << ", buttons " << static_cast<int>(message.buttons)
       << "}";
}

Names InstallTest::OpenedTemplates() const {
  Names names;
  for (const OpenedDialog& dialog : desktop.dialogs()) names.push_back(dialog.templateName);
  return names;
}

std::vector<Message> InstallTest::Messages() const {
  std::vector<Message> shown;
  for (const ShownMessage& message : desktop.messages()) {
    shown.push_back({message.title, message.text, message.icon, message.buttons});
  }
  return shown;
}

std::string InstallTest::StartMenu(std::string_view below) const {
  return temp.Path("Shell\\Start Menu\\Programs") + std::string(below);
}

std::string InstallTest::Desktop(std::string_view below) const {
  return temp.Path("Shell\\Desktop") + std::string(below);
}

}  // namespace vantrel::testing
