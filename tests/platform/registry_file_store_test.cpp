// The settings store in a registry export file: what it writes, byte for byte, that it
// only writes into keys that exist, that keys and names ignore letter case, and that a
// write replaces the file whole or not at all.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings_store.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/temp_folder.h"

namespace vantrel::platform {
namespace {

using testing::FaultyFileSystem;
using testing::FileOperation;
using testing::ScopedFileSystem;
using testing::TempFolder;

constexpr char kVntl[] = "Software\\Morvain Unlimited\\VNTL";
constexpr char kTie[] = "Software\\Morvain Unlimited\\VNTL\\TIE";

// The settings file and the lock file of its changes.
const std::vector<std::string> kStoreFiles = {"registry.reg", "registry.reg.lock"};

constexpr char kLaidOut[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
    "\"Install Path\"=\"C:\\\\VNTL\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TIE]\r\n"
    "\"Install Path\"=\"C:\\\\Games\\\\TIE\"\r\n"
    "\r\n";

class RegistryFileStoreTest : public ::testing::Test {
 protected:
  TempFolder temp;
  std::unique_ptr<SettingsStore> store = OpenRegistryFileStore(temp.Path("registry.reg"));

  void LayOut() {
    ASSERT_TRUE(store->CreateKey(kTie));
    ASSERT_TRUE(store->WriteString(kVntl, "Install Path", "C:\\VNTL"));
    ASSERT_TRUE(store->WriteString(kTie, "Install Path", "C:\\Games\\TIE"));
  }
};

TEST_F(RegistryFileStoreTest, WritesEveryKeyOnTheWayAndItsValuesInTheExportFormat) {
  LayOut();
  EXPECT_EQ(temp.ReadFile("registry.reg"), kLaidOut);
}

TEST_F(RegistryFileStoreTest, ReadsBackWhatWasWrittenAlsoThroughAnotherStore) {
  LayOut();
  EXPECT_EQ(store->ReadString(kTie, "Install Path"), "C:\\Games\\TIE");
  const std::unique_ptr<SettingsStore> other = OpenRegistryFileStore(temp.Path("registry.reg"));
  EXPECT_EQ(other->ReadString(kVntl, "Install Path"), "C:\\VNTL");
  ASSERT_TRUE(other->WriteString(kVntl, "Last Dir", "D:\\"));
  EXPECT_EQ(store->ReadString(kVntl, "Last Dir"), "D:\\");
}

TEST_F(RegistryFileStoreTest, EveryReadSeesTheFileAsItIsNow) {
  LayOut();
  temp.WriteFile("registry.reg",
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TIE]\n"
                 "\"Install Path\"=\"E:\\\\Edited\"\n");
  EXPECT_EQ(store->ReadString(kTie, "Install Path"), "E:\\Edited");
  EXPECT_EQ(store->ReadString(kVntl, "Install Path"), std::nullopt);
}

TEST_F(RegistryFileStoreTest, AMissingFileHoldsNoKeys) {
  EXPECT_EQ(store->ReadString(kVntl, "Install Path"), std::nullopt);
  EXPECT_FALSE(store->DeleteKeyTree(kVntl));
  EXPECT_TRUE(temp.List().empty());
}

TEST_F(RegistryFileStoreTest, WritingIntoAMissingKeyFailsAndWritesNothing) {
  EXPECT_FALSE(store->WriteString(kTie, "Install Path", "C:\\Games\\TIE"));
  EXPECT_TRUE(temp.List().empty());

  LayOut();
  ASSERT_TRUE(store->DeleteKeyTree(kTie));
  const std::optional<std::string> before = temp.ReadFile("registry.reg");
  EXPECT_FALSE(store->WriteString(kTie, "Install Path", "C:\\Elsewhere"));
  EXPECT_EQ(temp.ReadFile("registry.reg"), before);
  EXPECT_EQ(store->ReadString(kTie, "Install Path"), std::nullopt);
}

TEST_F(RegistryFileStoreTest, CreateKeyMakesEveryKeyAboveAndAcceptsAnExistingKey) {
  ASSERT_TRUE(store->CreateKey("Software\\A\\B\\C"));
  EXPECT_EQ(temp.ReadFile("registry.reg"),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\A\\B]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\A\\B\\C]\r\n\r\n");
  EXPECT_TRUE(store->WriteString("Software\\A", "v", "1"));
  EXPECT_TRUE(store->CreateKey("software\\a\\b"));
  EXPECT_TRUE(store->CreateKey("Software\\A\\B\\C"));
  EXPECT_EQ(store->ReadString("Software\\A", "v"), "1");
}

TEST_F(RegistryFileStoreTest, KeysAndValueNamesIgnoreLetterCase) {
  LayOut();
  EXPECT_EQ(store->ReadString("SOFTWARE\\morvain unlimited\\vntl\\tie", "INSTALL PATH"),
            "C:\\Games\\TIE");
  ASSERT_TRUE(store->WriteString("software\\MORVAIN UNLIMITED\\Vntl", "install path", "E:\\V"));
  EXPECT_EQ(store->ReadString(kVntl, "Install Path"), "E:\\V");
  // The value keeps the name it was created with; no second section or value appears.
  const std::optional<std::string> text = temp.ReadFile("registry.reg");
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
                       "\"Install Path\"=\"E:\\\\V\"\r\n\r\n"),
            std::string::npos)
      << *text;
  EXPECT_EQ(text->find("install path"), std::string::npos);
}

TEST_F(RegistryFileStoreTest, DeleteKeyTreeRemovesTheKeyAndEverythingBelowIt) {
  LayOut();
  ASSERT_TRUE(store->CreateKey("Software\\Morvain Unlimited\\Other"));
  ASSERT_TRUE(store->DeleteKeyTree("software\\morvain unlimited\\vntl"));
  EXPECT_EQ(store->ReadString(kVntl, "Install Path"), std::nullopt);
  EXPECT_EQ(store->ReadString(kTie, "Install Path"), std::nullopt);
  EXPECT_FALSE(store->WriteString(kTie, "Install Path", "x"));
  EXPECT_TRUE(store->WriteString("Software\\Morvain Unlimited\\Other", "Kept", "yes"));
  EXPECT_FALSE(store->DeleteKeyTree(kVntl));
}

TEST_F(RegistryFileStoreTest, ValuesOfOtherTypesAreNoStringsAndSurviveAWrite) {
  temp.WriteFile("registry.reg",
                 "Windows Registry Editor Version 5.00\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
                 "\"Count\"=dword:00000001\r\n\r\n");
  EXPECT_EQ(store->ReadString(kVntl, "Count"), std::nullopt);
  ASSERT_TRUE(store->WriteString(kVntl, "Last Dir", "D:\\"));
  EXPECT_EQ(temp.ReadFile("registry.reg"),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
            "\"Count\"=dword:00000001\r\n"
            "\"Last Dir\"=\"D:\\\\\"\r\n\r\n");
}

TEST_F(RegistryFileStoreTest, TheFirstWriteCreatesTheFilesFolders) {
  const std::unique_ptr<SettingsStore> nested =
      OpenRegistryFileStore(temp.Path("config\\vantrel\\registry.reg"));
  ASSERT_TRUE(nested->CreateKey(kVntl));
  EXPECT_EQ(temp.List("config\\vantrel"), kStoreFiles);
}

// A write that fails, moving the new file into place or on a full disk, keeps the
// earlier file and leaves no temporary copy. The lock file stays: removing it while
// another process waits for its lock would let a third one lock a new file of the same
// name.
TEST_F(RegistryFileStoreTest, AFailedWriteKeepsTheEarlierFileAndRemovesTheCopy) {
  LayOut();
  EXPECT_EQ(temp.List(), kStoreFiles);
  const std::pair<const char*, std::function<void(FaultyFileSystem&)>> faults[] = {
      {"move", [](FaultyFileSystem& faulty) { faulty.FailAlways(FileOperation::MoveFile); }},
      {"full disk", [](FaultyFileSystem& faulty) { faulty.FailWritesAfter(20, ".tmp"); }},
  };
  for (const auto& [what, fault] : faults) {
    FaultyFileSystem faulty;
    fault(faulty);
    const ScopedFileSystem installed(faulty);
    EXPECT_FALSE(store->WriteString(kVntl, "Install Path", "E:\\Lost")) << what;
    EXPECT_EQ(temp.ReadFile("registry.reg"), kLaidOut) << what;
    EXPECT_EQ(temp.List(), kStoreFiles) << what;
    EXPECT_EQ(store->ReadString(kVntl, "Install Path"), "C:\\VNTL") << what;
  }
}

TEST_F(RegistryFileStoreTest, AFileThatCannotBeReadIsNeitherReadNorOverwritten) {
  LayOut();
  FaultyFileSystem faulty;
  faulty.FailAlways(FileOperation::FileRead, "registry.reg");
  const ScopedFileSystem installed(faulty);
  EXPECT_EQ(store->ReadString(kVntl, "Install Path"), std::nullopt);
  EXPECT_FALSE(store->WriteString(kVntl, "Install Path", "E:\\Lost"));
  EXPECT_FALSE(store->CreateKey("Software\\New"));
  EXPECT_EQ(temp.ReadFile("registry.reg"), kLaidOut);
}

TEST_F(RegistryFileStoreTest, AKeyWithAnEmptyComponentIsRefused) {
  LayOut();
  EXPECT_FALSE(store->CreateKey(""));
  EXPECT_FALSE(store->CreateKey("Software\\\\X"));
  EXPECT_FALSE(store->CreateKey("\\Software"));
  EXPECT_FALSE(store->WriteString("Software\\", "Install Path", "x"));
  EXPECT_EQ(temp.ReadFile("registry.reg"), kLaidOut);
}

TEST_F(RegistryFileStoreTest, KeysThatNameARootAreKeptBelowItAndNumbersAsDwords) {
  ASSERT_TRUE(store->CreateKey("HKEY_CLASSES_ROOT\\.kzm"));
  ASSERT_TRUE(store->WriteString("HKEY_CLASSES_ROOT\\.kzm", "", "kzm_ext"));
  ASSERT_TRUE(store->CreateKey("hkey_current_user\\Software\\V"));
  ASSERT_TRUE(store->WriteNumber("HKEY_CURRENT_USER\\Software\\V", "Size", 0x2a));
  ASSERT_TRUE(store->CreateKey("HKEY_LOCAL_MACHINE\\Software\\V"));
  ASSERT_TRUE(store->WriteString("Software\\V", "Name", "machine"));
  EXPECT_EQ(temp.ReadFile("registry.reg"),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\.kzm]\r\n@=\"kzm_ext\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\V]\r\n\"Size\"=dword:0000002a\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\V]\r\n\"Name\"=\"machine\"\r\n\r\n");
  EXPECT_EQ(store->ReadString("HKEY_CLASSES_ROOT\\.kzm", ""), "kzm_ext");
  // Roots are spelt as an export spells them; a number is no string, and the same path
  // below another root is another key.
  EXPECT_EQ(store->ReadString("HKEY_CURRENT_USER\\Software\\V", "Size"), std::nullopt);
  EXPECT_EQ(store->ReadString("HKEY_CURRENT_USER\\Software\\V", "Name"), std::nullopt);
  EXPECT_FALSE(store->WriteNumber("HKEY_CLASSES_ROOT\\missing", "Size", 1));
  EXPECT_FALSE(store->CreateKey("HKEY_CLASSES_ROOT\\"));
  ASSERT_TRUE(store->DeleteKeyTree("HKEY_CURRENT_USER\\Software"));
  EXPECT_EQ(store->ReadString("Software\\V", "Name"), "machine");
}

}  // namespace
}  // namespace vantrel::platform
