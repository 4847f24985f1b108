// The settings store on the real Windows registry: what it writes is checked with the
// registry calls themselves, byte by byte and view by view, so a value stored under the
// wrong type, length or view cannot pass. Each test works in a key of its own below
// HKEY_LOCAL_MACHINE\Software\Vantrel Tests, removed when the test ends.
#include "platform/win32/registry_store_win32.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings_store.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"

namespace vantrel::platform {
namespace {

constexpr std::string_view kTestsKey = "Software\\Vantrel Tests";
constexpr std::wstring_view kWideTestsKey = L"Software\\Vantrel Tests";

std::wstring Wide(std::string_view text) { return win32::Widen(text).value(); }

bool RawKeyExists(HKEY root, const std::wstring& path, REGSAM view) {
  win32::RegistryKey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) ==
         ERROR_SUCCESS;
}

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

std::optional<RawValue> RawRead(HKEY root, const std::wstring& path, const std::wstring& name,
                                REGSAM view) {
  win32::RegistryKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, value.bytes.data(),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

void RawWrite(const std::wstring& path, const std::wstring& name, DWORD type,
              const void* data, DWORD size) {
  win32::RegistryKey key;
  LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0,
                                 KEY_SET_VALUE | KEY_WOW64_32KEY, key.receive());
  ASSERT_EQ(status, ERROR_SUCCESS) << win32::ErrorText(status);
  status = RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  ASSERT_EQ(status, ERROR_SUCCESS) << win32::ErrorText(status);
}

// The bytes a REG_SZ value holds for `text`: UTF-16 with one terminating NUL.
std::vector<BYTE> StringBytes(const std::wstring& text) {
  const BYTE* first = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(first, first + (text.size() + 1) * sizeof(wchar_t));
}

// True when this process runs on 64-bit Windows, where the registry has two views.
bool RegistryHasTwoViews() {
#ifdef _WIN64
  return true;
#else
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    static unsigned counter = 0;
    name_ = "Run " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    key_ = std::string(kTestsKey) + "\\" + name_;
    store_ = OpenRegistryStore(HKEY_LOCAL_MACHINE);
    if (!store_->CreateKey(key_)) {
      GTEST_SKIP() << "this account may not write below HKEY_LOCAL_MACHINE";
    }
    created_ = true;
  }

  void TearDown() override {
    if (!created_) return;
    store_->DeleteKeyTree(key_);
    // Removes the shared parent once the last test is done with it; while another run
    // still has a key there this fails, as it should.
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, std::wstring(kWideTestsKey).c_str(), KEY_WOW64_32KEY, 0);
  }

  std::wstring WideKey() const { return Wide(key_); }

  std::string name_;
  std::string key_;
  std::unique_ptr<SettingsStore> store_;
  bool created_ = false;
};

// Each text is stored as REG_SZ, UTF-16 counted with its terminator, and read back
// whole; a later write replaces the earlier text.
TEST_F(RegistryStore, StoresTextAsRegSzAndReadsItBack) {
  const std::pair<std::string, std::wstring> texts[] = {
      {"C:\\Games\\TIE95", L"C:\\Games\\TIE95"},
      {"D:\\", L"D:\\"},
      {"", L""},
      {"C:\\Spiele\\Gr\xC3\xBC\xC3\x9F" "e \xCE\xA4\xCE\x99\xCE\x95",
       L"C:\\Spiele\\Gr\u00FC\u00DFe \u03A4\u0399\u0395"},
      {"C:\\" + std::string(256, 'x'), L"C:\\" + std::wstring(256, L'x')},
  };
  for (const auto& [text, wide] : texts) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(store_->WriteString(key_, "Install Path", text));
    const auto raw = RawRead(HKEY_LOCAL_MACHINE, WideKey(), L"Install Path", KEY_WOW64_32KEY);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw->bytes, StringBytes(wide));
    EXPECT_EQ(store_->ReadString(key_, "Install Path"), text);
  }
}

TEST_F(RegistryStore, LeavesStoredTerminatorsOutOfTheText) {
  const wchar_t twoTerminators[] = L"C:\\XWA\0";
  ASSERT_NO_FATAL_FAILURE(
      RawWrite(WideKey(), L"Two", REG_SZ, twoTerminators, sizeof(twoTerminators)));
  const wchar_t none[] = {L'C', L':', L'\\', L'X', L'v', L'T'};
  ASSERT_NO_FATAL_FAILURE(RawWrite(WideKey(), L"None", REG_SZ, none, sizeof(none)));

  EXPECT_EQ(store_->ReadString(key_, "Two"), "C:\\XWA");
  EXPECT_EQ(store_->ReadString(key_, "None"), "C:\\XvT");
}

TEST_F(RegistryStore, ReadsAnExpandableStringWithoutExpandingIt) {
  const std::wstring text = L"%SystemDrive%\\Games";
  ASSERT_NO_FATAL_FAILURE(RawWrite(WideKey(), L"Install Path", REG_EXPAND_SZ, text.c_str(),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));

  EXPECT_EQ(store_->ReadString(key_, "Install Path"), "%SystemDrive%\\Games");
}

TEST_F(RegistryStore, ReadsNothingFromAValueThatIsNotAString) {
  const DWORD number = 0x5C3A43;  // the bytes of "C:\" read as a number
  ASSERT_NO_FATAL_FAILURE(RawWrite(WideKey(), L"Number", REG_DWORD, &number, sizeof(number)));
  const BYTE binary[] = {'C', 0, ':', 0, '\\', 0, 0, 0};
  ASSERT_NO_FATAL_FAILURE(RawWrite(WideKey(), L"Binary", REG_BINARY, binary, sizeof(binary)));
  const wchar_t multi[] = L"C:\\\0D:\\\0";
  ASSERT_NO_FATAL_FAILURE(RawWrite(WideKey(), L"Multi", REG_MULTI_SZ, multi, sizeof(multi)));

  EXPECT_EQ(store_->ReadString(key_, "Number"), std::nullopt);
  EXPECT_EQ(store_->ReadString(key_, "Binary"), std::nullopt);
  EXPECT_EQ(store_->ReadString(key_, "Multi"), std::nullopt);
}

// Nothing is read from a missing value or key, written into a missing key (which is not
// made in either view), or deleted where there is no key.
TEST_F(RegistryStore, MissingValuesAndKeysAreNeitherReadNorWrittenNorDeleted) {
  EXPECT_EQ(store_->ReadString(key_, "Install Path"), std::nullopt);
  EXPECT_EQ(store_->ReadString(key_ + "\\XWA", "Install Path"), std::nullopt);
  EXPECT_FALSE(store_->WriteString(key_ + "\\XWA", "Install Path", "C:\\XWA"));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey() + L"\\XWA", KEY_WOW64_32KEY));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey() + L"\\XWA", KEY_WOW64_64KEY));
  EXPECT_EQ(store_->ReadString(key_ + "\\XWA", "Install Path"), std::nullopt);
  EXPECT_FALSE(store_->DeleteKeyTree(key_ + "\\Missing"));
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey(), KEY_WOW64_32KEY));
}

// CreateKey makes every missing parent, and leaves an existing key's values alone.
TEST_F(RegistryStore, CreatesAKeyWithEveryMissingParent) {
  ASSERT_TRUE(store_->WriteString(key_, "Install Path", "C:\\VNTL"));
  EXPECT_TRUE(store_->CreateKey(key_));
  EXPECT_EQ(store_->ReadString(key_, "Install Path"), "C:\\VNTL");

  const std::string tie = key_ + "\\Morvain Unlimited\\VNTL\\TIE";
  ASSERT_TRUE(store_->CreateKey(tie));
  const std::wstring top = WideKey() + L"\\Morvain Unlimited";
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, top, KEY_WOW64_32KEY));
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, top + L"\\VNTL", KEY_WOW64_32KEY));
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, top + L"\\VNTL\\TIE", KEY_WOW64_32KEY));
  EXPECT_TRUE(store_->WriteString(tie, "Install Path", "C:\\TIE"));
}

TEST_F(RegistryStore, DeletesAKeyWithEverythingBelowIt) {
  const std::string tree = key_ + "\\VNTL";
  ASSERT_TRUE(store_->CreateKey(tree + "\\XWA\\Deeper"));
  ASSERT_TRUE(store_->CreateKey(tree + "\\TIE"));
  ASSERT_TRUE(store_->CreateKey(key_ + "\\Sibling"));
  ASSERT_TRUE(store_->WriteString(tree, "Install Path", "C:\\VNTL"));
  ASSERT_TRUE(store_->WriteString(tree + "\\XWA", "Install Path", "C:\\XWA"));
  ASSERT_TRUE(store_->WriteString(tree + "\\XWA\\Deeper", "Value", "x"));
  ASSERT_TRUE(store_->WriteString(key_ + "\\Sibling", "Value", "kept"));

  EXPECT_TRUE(store_->DeleteKeyTree(tree));

  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey() + L"\\VNTL", KEY_WOW64_32KEY));
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey(), KEY_WOW64_32KEY));
  EXPECT_EQ(store_->ReadString(key_ + "\\Sibling", "Value"), "kept");
}

TEST_F(RegistryStore, KeepsItsKeysInThe32BitView) {
  if (!RegistryHasTwoViews()) {
    GTEST_SKIP() << "32-bit Windows has a single registry view, so there is no other to compare";
  }
  ASSERT_TRUE(store_->WriteString(key_, "Install Path", "C:\\XWA"));

  // Below HKEY_LOCAL_MACHINE\Software, 64-bit Windows keeps the 32-bit view's keys under
  // Software\WOW6432Node of the 64-bit view.
  const std::wstring below64 = L"Software\\WOW6432Node\\Vantrel Tests\\" + Wide(name_);
  const auto redirected = RawRead(HKEY_LOCAL_MACHINE, below64, L"Install Path", KEY_WOW64_64KEY);
  ASSERT_TRUE(redirected);
  EXPECT_EQ(redirected->bytes, StringBytes(L"C:\\XWA"));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, WideKey(), KEY_WOW64_64KEY));
}

TEST(RegistryStoreRoot, WorksBelowTheRootItIsGiven) {
  const std::string key = "Software\\Vantrel Tests\\Root " + std::to_string(GetCurrentProcessId());
  auto store = OpenRegistryStore(HKEY_CURRENT_USER);
  ASSERT_TRUE(store->CreateKey(key));
  const bool written = store->WriteString(key, "Last Dir", "C:\\Battles");

  const auto raw = RawRead(HKEY_CURRENT_USER, Wide(key), L"Last Dir", KEY_WOW64_32KEY);
  const bool deleted = store->DeleteKeyTree(key);
  RegDeleteKeyExW(HKEY_CURRENT_USER, std::wstring(kWideTestsKey).c_str(), KEY_WOW64_32KEY, 0);

  EXPECT_TRUE(written);
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->bytes, StringBytes(L"C:\\Battles"));
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, Wide(key), KEY_WOW64_32KEY));
}

}  // namespace
}  // namespace vantrel::platform
