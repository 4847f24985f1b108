// The registry files of a Wine prefix: "system.reg" holds HKEY_LOCAL_MACHINE and
// "user.reg" HKEY_CURRENT_USER, as text in Wine's own format. A section names a key
// relative to its hive ("[Software\\LucasArts Entertainment Company LLC\\TIE95\\1.0]
// 1700000000"), and the lines after it its values ("Install Path"="C:\\Games\\TIE95");
// backslashes and quotes are escaped, other characters may be written as \x and hex
// digits. Only string values are read here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct WineRegistryValue {
  std::string key;   // "Software\LucasArts Entertainment Company LLC\TIE95\1.0"
  std::string name;  // "Install Path"; empty for the key's default value
  std::string text;  // UTF-8
};

// Every string value of the file, in order. What cannot be read is left out.
std::vector<WineRegistryValue> ParseWineRegistry(std::string_view text);

// The string value `name` of `key` (key paths and names compared without regard to
// letter case); empty when the file does not hold it.
std::optional<std::string> FindWineRegistryString(const std::vector<WineRegistryValue>& values,
                                                  std::string_view key, std::string_view name);

}  // namespace vantrel
