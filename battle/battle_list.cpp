// Reading the battle list's fields out of its bytes, bounded by the bytes there are.
#include "battle/battle_list.h"

#include "platform/file_helpers.h"

#include "platform/western_text.h"

namespace vantrel {
namespace {

// The text of a field: its bytes up to the first NUL, or all of them when there is none,
// as UTF-8.
std::string FieldText(std::string_view field) {
  const std::size_t end = field.find('\0');
  if (end != std::string_view::npos) field = field.substr(0, end);
  return platform::WesternToUtf8(field);
}

// The part of [offset, offset + width) that lies inside `bytes`; empty past the end.
std::string_view Field(std::string_view bytes, std::size_t offset, std::size_t width) {
  if (offset >= bytes.size()) return {};
  return bytes.substr(offset, width);
}

}  // namespace

BattleList ParseBattleList(std::string_view bytes) {
  BattleList list;
  if (bytes.size() > 0) list.game = static_cast<std::uint8_t>(bytes[0]);
  if (bytes.size() > 1) list.missionKey = static_cast<std::uint8_t>(bytes[1]);
  list.name = FieldText(Field(bytes, kBattleNameOffset, kBattleNameField));
  if (bytes.size() > kMissionCountOffset) {
    list.listedCount = static_cast<std::uint8_t>(bytes[kMissionCountOffset]);
  }
  for (std::size_t i = 0; i < list.listedCount; ++i) {
    const std::size_t offset = kFirstMissionOffset + kMissionNameField * i;
    if (offset >= bytes.size()) break;
    list.missions.push_back(FieldText(Field(bytes, offset, kMissionNameField)));
  }
  return list;
}

BattleList ReadBattleList(platform::File& file) {
  // A battle list is at most a few kilobytes; what lies beyond its last field is never
  // read.
  if (!file.Seek(0)) return ParseBattleList({});
  return ParseBattleList(platform::ReadUpTo(file, kLongestBattleList).value_or(std::string()));
}

}  // namespace vantrel
