// Battle list fixtures written field by field, independently of the reader under test.
#include "tests/support/battle_list_bytes.h"

namespace vantrel::testing {
namespace {

// `text` in a field of `width` bytes: cut to the width, NUL-padded.
std::string FieldOf(std::string_view text, std::size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, '\0');
  return field;
}

}  // namespace

std::string BattleListBytes(int game, int key, std::string_view name,
                            const std::vector<std::string>& missions) {
  return BattleListBytes(game, key, name, static_cast<int>(missions.size()), missions);
}

std::string BattleListBytes(int game, int key, std::string_view name, int count,
                            const std::vector<std::string>& missions) {
  std::string bytes;
  bytes.push_back(static_cast<char>(game));
  bytes.push_back(static_cast<char>(key));
  bytes += FieldOf(name, 51);
  bytes.push_back(static_cast<char>(count));
  bytes.push_back('\0');
  for (const std::string& mission : missions) bytes += FieldOf(mission, 21);
  bytes.push_back('\0');
  return bytes;
}

std::string Enciphered(std::string_view plain, int key) {
  std::string bytes(plain);
  for (char& byte : bytes) byte = static_cast<char>(byte ^ static_cast<char>(key));
  return bytes;
}

}  // namespace vantrel::testing
