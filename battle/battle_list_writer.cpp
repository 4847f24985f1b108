#include "battle/battle_list_writer.h"

#include "platform/western_text.h"

namespace vantrel {
namespace {

// The text in the code page, if it fits `width` bytes.
std::optional<std::string> Encoded(const std::string& text, std::size_t width) {
  std::optional<std::string> bytes = platform::Utf8ToWestern(text);
  if (!bytes || bytes->size() > width) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::string> BattleListBytes(const BattleList& list) {
  if (!list.game || list.missions.size() > kMaxMissions) return std::nullopt;
  std::string bytes(kFirstMissionOffset + kMissionNameField * list.missions.size() + 1, '\0');
  bytes[0] = static_cast<char>(*list.game);
  bytes[1] = static_cast<char>(list.missionKey);
  const std::optional<std::string> name = Encoded(list.name, kMaxBattleNameLength);
  if (!name) return std::nullopt;
  bytes.replace(kBattleNameOffset, name->size(), *name);
  bytes[kMissionCountOffset] = static_cast<char>(list.missions.size());
  for (std::size_t i = 0; i < list.missions.size(); ++i) {
    const std::optional<std::string> mission = Encoded(list.missions[i], kMaxMissionNameLength);
    if (!mission) return std::nullopt;
    bytes.replace(kFirstMissionOffset + kMissionNameField * i, mission->size(), *mission);
  }
  return bytes;
}

}  // namespace vantrel
