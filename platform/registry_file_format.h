// The text of a registry export ("Windows Registry Editor Version 5.00"), as the settings
// store keeps it where there is no registry: sections that name a key
// ("[HKEY_LOCAL_MACHINE\Software\Morvain Unlimited\VNTL]"), each followed by its values
// ("Install Path"="C:\\Games\\TIE"). String values are read into text; values of every
// other type (dword:, hex:, hex(2):...) are carried as written, so a file edited by hand
// or exported from Windows loses nothing when the store rewrites it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::platform {

struct RegistryValue {
  std::string name;       // empty for the key's default value, written "@"
  bool isString = true;   // a string value (REG_SZ), held as its text
  std::string data;       // the text of a string; otherwise everything after the '=', with
                          // continuation lines joined by '\n'
};

struct RegistryKey {
  std::string path;  // "HKEY_LOCAL_MACHINE\Software\Morvain Unlimited\VNTL"
  std::vector<RegistryValue> values;

  // Value names are compared without regard to letter case, as the registry does.
  const RegistryValue* FindValue(std::string_view name) const;
  // Replaces the value of that name with a string, or adds it at the end.
  void SetString(std::string_view name, std::string_view text);
  // Replaces or adds a REG_DWORD value, written "dword:0000002a".
  void SetNumber(std::string_view name, std::uint32_t number);
};

struct RegistryFile {
  // In the order they were created; a key's section may come before or after those of
  // the keys below it.
  std::vector<RegistryKey> keys;

  // The key's own section; key paths are compared without regard to letter case.
  RegistryKey* FindKey(std::string_view path);
  const RegistryKey* FindKey(std::string_view path) const;
  // True when the key has a section or a key below it has one: importing such a file
  // creates every key on the way.
  bool HasKey(std::string_view path) const;
  // The key's section, added at the end if it has none.
  RegistryKey& AddKey(std::string_view path);
  // Removes the key's section and those of every key below it; false when there was none.
  bool RemoveTree(std::string_view path);
};

// Reads the text of an export, with LF or CRLF line ends and with or without a UTF-8 byte
// order mark. Never fails: what cannot be read is left out (see the .cpp).
RegistryFile ParseRegistryFile(std::string_view text);

// The text of the file: the header line, a blank line, then each key's section followed
// by its values and a blank line; CRLF line ends, UTF-8 without a byte order mark.
std::string FormatRegistryFile(const RegistryFile& file);

}  // namespace vantrel::platform
