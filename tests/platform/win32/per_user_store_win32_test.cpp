// The launcher's per-user settings store on the real registry. Two keys of the test's
// own below HKEY_CURRENT_USER stand in for the user's and the machine's tree, so the
// test needs no rights on HKEY_LOCAL_MACHINE and leaves nothing behind.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/registry_store_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"

namespace vantrel::platform {
namespace {

constexpr std::string_view kGameKey = "Software\\Morvain Unlimited\\VNTL\\XWA";

class Root {
 public:
  explicit Root(const std::wstring& path) : path_(path) {
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key_.receive(), nullptr);
  }
  ~Root() {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  Root(const Root&) = delete;
  Root& operator=(const Root&) = delete;
  HKEY get() const { return key_.get(); }

 private:
  std::wstring path_;
  win32::RegistryKey key_;
};

bool KeyExists(HKEY root, std::string_view key) {
  win32::RegistryKey opened;
  const std::wstring path = win32::Widen(key).value();
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                       opened.receive()) == ERROR_SUCCESS;
}

// What each tree holds before, and what the launcher then reads and leaves.
struct Case {
  const char* name;
  bool machineKey;
  std::optional<std::string> machineValue;
  bool userKey;
  std::optional<std::string> userValue;
  std::optional<std::string> write;     // written by the launcher, if anything
  bool written;                         // the write reports success
  std::optional<std::string> read;      // read afterwards
  std::optional<std::string> userAfter;     // the user's value afterwards
  std::optional<std::string> machineAfter;  // the machine's value afterwards
};

TEST(PerUserRegistryStore, ReadsTheUsersTreeFirstAndWritesOnlyThere) {
  const Case cases[] = {
      {"machine only", true, "C:\\XWA", false, {}, {}, false, "C:\\XWA", {}, "C:\\XWA"},
      {"both", true, "C:\\XWA", true, "D:\\XWA", {}, false, "D:\\XWA", "D:\\XWA", "C:\\XWA"},
      {"user key without the value", true, "C:\\XWA", true, {}, {}, false, "C:\\XWA", {},
       "C:\\XWA"},
      {"write with Setup's key", true, "C:\\XWA", false, {}, "E:\\XWA", true, "E:\\XWA",
       "E:\\XWA", "C:\\XWA"},
      {"write over the user's value", true, "C:\\XWA", true, "D:\\XWA", "E:\\XWA", true,
       "E:\\XWA", "E:\\XWA", "C:\\XWA"},
      {"write with only a user key", false, {}, true, {}, "E:\\XWA", true, "E:\\XWA",
       "E:\\XWA", {}},
      {"write where Setup made no key", false, {}, false, {}, "E:\\XWA", false, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring run = L"Software\\Vantrel Tests\\Per User " +
                             std::to_wstring(GetCurrentProcessId());
    Root user(run + L"\\User");
    Root machine(run + L"\\Machine");
    const auto userTree = OpenRegistryStore(user.get());
    const auto machineTree = OpenRegistryStore(machine.get());
    if (c.machineKey) {
      ASSERT_TRUE(machineTree->CreateKey(kGameKey));
    }
    if (c.machineValue) {
      ASSERT_TRUE(machineTree->WriteString(kGameKey, "Install Path", *c.machineValue));
    }
    if (c.userKey) {
      ASSERT_TRUE(userTree->CreateKey(kGameKey));
    }
    if (c.userValue) {
      ASSERT_TRUE(userTree->WriteString(kGameKey, "Install Path", *c.userValue));
    }

    const auto store = OpenPerUserRegistryStore(user.get(), machine.get());
    if (c.write) {
      EXPECT_EQ(store->WriteString(kGameKey, "Install Path", *c.write), c.written);
    }
    EXPECT_EQ(store->ReadString(kGameKey, "Install Path"), c.read);
    EXPECT_EQ(userTree->ReadString(kGameKey, "Install Path"), c.userAfter);
    EXPECT_EQ(machineTree->ReadString(kGameKey, "Install Path"), c.machineAfter);
    // The user's key is made only for a write the machine's key allows.
    EXPECT_EQ(KeyExists(user.get(), kGameKey), c.userKey || (c.write && c.written));
    RegDeleteTreeW(HKEY_CURRENT_USER, run.c_str());
  }
  RegDeleteKeyExW(HKEY_CURRENT_USER, L"Software\\Vantrel Tests", KEY_WOW64_32KEY, 0);
}

TEST(PerUserRegistryStore, CreatesKeysForTheUserAndDeletesBothTrees) {
  const std::wstring run = L"Software\\Vantrel Tests\\Per User Keys " +
                           std::to_wstring(GetCurrentProcessId());
  {
    Root user(run + L"\\User");
    Root machine(run + L"\\Machine");
    const auto machineTree = OpenRegistryStore(machine.get());
    const auto store = OpenPerUserRegistryStore(user.get(), machine.get());
    // `vantrel folders set` makes the key it writes: the user's.
    ASSERT_TRUE(store->CreateKey(kGameKey));
    EXPECT_TRUE(KeyExists(user.get(), kGameKey));
    EXPECT_FALSE(KeyExists(machine.get(), kGameKey));
    EXPECT_TRUE(store->WriteString(kGameKey, "Install Path", "F:\\XWA"));

    ASSERT_TRUE(machineTree->CreateKey(kGameKey));
    EXPECT_TRUE(store->DeleteKeyTree("Software\\Morvain Unlimited\\VNTL"));
    EXPECT_FALSE(KeyExists(user.get(), kGameKey));
    EXPECT_FALSE(KeyExists(machine.get(), kGameKey));
    EXPECT_FALSE(store->DeleteKeyTree("Software\\Morvain Unlimited\\VNTL"));
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, run.c_str());
  RegDeleteKeyExW(HKEY_CURRENT_USER, L"Software\\Vantrel Tests", KEY_WOW64_32KEY, 0);
}

}  // namespace
}  // namespace vantrel::platform
