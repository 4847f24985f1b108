// The settings store on Windows: the registry itself. Every key is opened in the
// registry's 32-bit view (KEY_WOW64_32KEY), because the games and the release are 32-bit
// programs and a 64-bit build must see the same "Software\..." as they do; on 32-bit
// Windows the flag changes nothing.
//
// Setup writes the settings below HKEY_LOCAL_MACHINE, where a standard user may read but
// not write. The launcher therefore keeps its own changes below HKEY_CURRENT_USER, under
// the same key paths, and reads there first.
#include "platform/win32/registry_store_win32.h"

#include <utility>
#include <vector>

#include "platform/path.h"
#include "platform/system_error.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"

namespace vantrel::platform {
namespace {

using Key = win32::RegistryKey;

// The wide form of a key path or value name; nothing when it is not valid UTF-8 or holds
// a NUL, which would end it early and name another key or value.
std::optional<std::wstring> WideName(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  return win32::Widen(text);
}

// A key path that names its root ("HKEY_CLASSES_ROOT\.kzm") is opened below that root;
// any other below the store's own.
struct RootedPath {
  HKEY root;
  std::string_view below;
};

RootedPath SplitRoot(HKEY storeRoot, std::string_view key) {
  const std::pair<std::string_view, HKEY> roots[] = {{kClassesRoot, HKEY_CLASSES_ROOT},
                                                     {kCurrentUser, HKEY_CURRENT_USER},
                                                     {kLocalMachine, HKEY_LOCAL_MACHINE}};
  for (const auto& [prefix, root] : roots) {
    if (key.size() > prefix.size() && NamesEqual(key.substr(0, prefix.size()), prefix)) {
      return {root, key.substr(prefix.size())};
    }
  }
  return {storeRoot, key};
}

// Records why a call on `key` failed (a registry status code) and answers false.
bool Fail(std::string_view key, LSTATUS status) {
  RecordFailure(Failure{std::string(key), ErrorFromWin32(static_cast<DWORD>(status))});
  return false;
}

LSTATUS OpenKeyStatus(HKEY root, const std::wstring& path, REGSAM access, Key& key) {
  return RegOpenKeyExW(root, path.c_str(), 0, access | KEY_WOW64_32KEY, key.receive());
}

bool OpenKey(HKEY root, const std::wstring& path, REGSAM access, Key& key) {
  return OpenKeyStatus(root, path, access, key) == ERROR_SUCCESS;
}

class RegistryStore final : public SettingsStore {
 public:
  explicit RegistryStore(HKEY root) : root_(root) {}
  HKEY root() const { return root_; }

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override {
    const RootedPath path = SplitRoot(root_, key);
    const auto widePath = WideName(path.below);
    const auto wideName = WideName(name);
    if (!widePath || !wideName) {
      Fail(key, ERROR_INVALID_NAME);
      return std::nullopt;
    }
    // A key or value that is not there is an answer, not a failure.
    Key opened;
    const LSTATUS opening = OpenKeyStatus(path.root, *widePath, KEY_QUERY_VALUE, opened);
    if (opening != ERROR_SUCCESS) {
      if (opening != ERROR_FILE_NOT_FOUND) Fail(key, opening);
      return std::nullopt;
    }

    // Ask for the size first and read the value whole, however long it is; if it grows
    // between the two calls, ask again.
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(opened.get(), wideName->c_str(), nullptr, &type, nullptr,
                                      &size);
    std::vector<wchar_t> buffer;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
      // An odd byte count can only come from a value written carelessly; round up so the
      // last byte has room.
      buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
      DWORD received = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      status = RegQueryValueExW(opened.get(), wideName->c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &received);
      if (status == ERROR_SUCCESS) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        // The text ends at its first NUL, as it does for every program that reads the
        // value as a C string; the stored terminator (or several) goes with it.
        std::wstring_view text(buffer.data(), received / sizeof(wchar_t));
        text = text.substr(0, text.find(L'\0'));
        return win32::Narrow(text);
      }
      size = received;
    }
    if (status != ERROR_FILE_NOT_FOUND) Fail(key, status);
    return std::nullopt;
  }

  bool WriteString(std::string_view key, std::string_view name, std::string_view text) override {
    const auto wideText = win32::Widen(text);
    if (!wideText) return Fail(key, ERROR_NO_UNICODE_TRANSLATION);
    // The value's length is counted with its terminating NUL, as REG_SZ expects.
    const std::size_t bytes = (wideText->size() + 1) * sizeof(wchar_t);
    if (bytes > static_cast<std::size_t>(MAXDWORD)) return Fail(key, ERROR_INVALID_DATA);
    return SetValue(key, name, REG_SZ, wideText->c_str(), static_cast<DWORD>(bytes));
  }

  bool WriteNumber(std::string_view key, std::string_view name, std::uint32_t number) override {
    const DWORD data = number;
    return SetValue(key, name, REG_DWORD, &data, sizeof data);
  }

  bool CreateKey(std::string_view key) override {
    const RootedPath path = SplitRoot(root_, key);
    const auto widePath = WideName(path.below);
    if (!widePath) return Fail(key, ERROR_INVALID_NAME);
    // RegCreateKeyExW makes every missing key on the way.
    Key created;
    const LSTATUS status =
        RegCreateKeyExW(path.root, widePath->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_WOW64_32KEY, nullptr, created.receive(), nullptr);
    return status == ERROR_SUCCESS || Fail(key, status);
  }

  bool DeleteKeyTree(std::string_view key) override {
    const RootedPath path = SplitRoot(root_, key);
    const auto widePath = WideName(path.below);
    // An empty path would name the root itself, which is never deleted.
    if (!widePath || widePath->empty()) return Fail(key, ERROR_INVALID_NAME);
    // RegDeleteTreeW takes no view flag: it works on a key opened in the right view,
    // emptying it of every sub-key and value; RegDeleteKeyExW then removes the key
    // itself, again in the 32-bit view.
    {
      Key opened;
      const LSTATUS opening = OpenKeyStatus(
          path.root, *widePath, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE,
          opened);
      if (opening != ERROR_SUCCESS) return Fail(key, opening);
      const LSTATUS emptying = RegDeleteTreeW(opened.get(), nullptr);
      if (emptying != ERROR_SUCCESS) return Fail(key, emptying);
    }
    const LSTATUS status = RegDeleteKeyExW(path.root, widePath->c_str(), KEY_WOW64_32KEY, 0);
    return status == ERROR_SUCCESS || Fail(key, status);
  }

 private:
  bool SetValue(std::string_view key, std::string_view name, DWORD type, const void* data,
                DWORD bytes) {
    const RootedPath path = SplitRoot(root_, key);
    const auto widePath = WideName(path.below);
    const auto wideName = WideName(name);
    if (!widePath || !wideName) return Fail(key, ERROR_INVALID_NAME);
    Key opened;
    const LSTATUS opening = OpenKeyStatus(path.root, *widePath, KEY_SET_VALUE, opened);
    if (opening != ERROR_SUCCESS) return Fail(key, opening);
    const LSTATUS status = RegSetValueExW(opened.get(), wideName->c_str(), 0, type,
                                          static_cast<const BYTE*>(data), bytes);
    return status == ERROR_SUCCESS || Fail(key, status);
  }

  HKEY root_;
};

// The user's tree over the machine's: a value is read from the user's key where it is
// there, else from the machine's; a write goes to the user's key, which is made when the
// machine has the key, so a key Setup never made still takes nothing.
class PerUserRegistryStore final : public SettingsStore {
 public:
  PerUserRegistryStore(HKEY user, HKEY machine) : userRoot_(user), user_(user), machine_(machine) {}

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override {
    if (auto text = user_.ReadString(key, name)) return text;
    return machine_.ReadString(key, name);
  }

  bool WriteString(std::string_view key, std::string_view name, std::string_view text) override {
    return UserKeyReady(key) && user_.WriteString(key, name, text);
  }

  bool WriteNumber(std::string_view key, std::string_view name, std::uint32_t number) override {
    return UserKeyReady(key) && user_.WriteNumber(key, name, number);
  }

  // A key asked for by name is the user's own.
  bool CreateKey(std::string_view key) override { return user_.CreateKey(key); }

  // Both trees go; true when either had the key, and then the other's refusal is no
  // failure.
  bool DeleteKeyTree(std::string_view key) override {
    const SavedFailure before;
    const bool user = user_.DeleteKeyTree(key);
    const bool machine = machine_.DeleteKeyTree(key);
    if (!(user || machine)) return false;
    before.Restore();
    return true;
  }

 private:
  // The user's key is there, or is made because the machine has the key.
  bool UserKeyReady(std::string_view key) {
    if (KeyExists(userRoot_, key)) return true;
    if (!KeyExists(machineRoot(), key)) return Fail(key, ERROR_FILE_NOT_FOUND);
    return user_.CreateKey(key);
  }

  static bool KeyExists(HKEY root, std::string_view key) {
    const auto widePath = WideName(key);
    Key opened;
    return widePath && OpenKey(root, *widePath, KEY_QUERY_VALUE, opened);
  }
  HKEY machineRoot() const { return machine_.root(); }

  HKEY userRoot_;
  RegistryStore user_;
  RegistryStore machine_;
};

}  // namespace

std::unique_ptr<SettingsStore> OpenRegistryStore(HKEY root) {
  return std::make_unique<RegistryStore>(root);
}

std::unique_ptr<SettingsStore> OpenPerUserRegistryStore(HKEY user, HKEY machine) {
  return std::make_unique<PerUserRegistryStore>(user, machine);
}

std::unique_ptr<SettingsStore> OpenDefaultSettingsStore() {
  return OpenPerUserRegistryStore(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE);
}

}  // namespace vantrel::platform
