// The text of a registry export ("Windows Registry Editor Version 5.00"), as the settings
// store keeps it where there is no registry: sections that name a key
// ("[HKEY_LOCAL_MACHINE\Software\Morvain Unlimited\VNTL]"), each followed by its values
// ("Install Path"="C:\\Games\\TIE"). String values are read into text; values of every
// other type (dword:, hex:, hex(2):...) are carried as written, so a file edited by hand
// or exported from Windows loses nothing when the store rewrites it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// How the file's bytes hold its text. The registry editor exports UTF-16LE with a byte
// order mark; the store writes UTF-8, and writes a file back in the encoding it had.
enum class RegistryTextEncoding { Utf8, Utf8WithByteOrderMark, Utf16LE };

// The file's text as UTF-8, and how it was encoded. Empty when the bytes are not text in
// that encoding (a UTF-16LE file of an odd length).
struct RegistryText {
  std::string text;
  RegistryTextEncoding encoding = RegistryTextEncoding::Utf8;
};
std::optional<RegistryText> DecodeRegistryText(std::string_view bytes);
std::string EncodeRegistryText(std::string_view text, RegistryTextEncoding encoding);

// What was read of an export, or the first line that could not be read and why: a file
// that cannot be read whole is refused rather than read in part, since the store would
// write the part back and lose the rest.
struct ParsedRegistryFile {
  RegistryFile file;
  std::size_t damagedLine = 0;  // counted from 1; 0 when everything was read
  std::string damage;           // what is wrong on that line
};

// Reads the text of an export (UTF-8, see DecodeRegistryText), with LF or CRLF line ends.
ParsedRegistryFile ParseRegistryFile(std::string_view text);

// The text of the file: the header line, a blank line, then each key's section followed
// by its values and a blank line; CRLF line ends.
std::string FormatRegistryFile(const RegistryFile& file);

}  // namespace vantrel::platform
