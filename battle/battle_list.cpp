// Reading the battle list's fields out of its bytes, bounded by the bytes there are.
#include "battle/battle_list.h"

#include <array>

namespace vantrel {
namespace {

// Windows-1252 characters 0x80 to 0x9F; the five it leaves unassigned map to themselves.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
      } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
      } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
      } else {
        return false;
      }
      if (i + length > text.size()) return false;
      for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
      }
    }
    i += length;
  }
  return true;
}

void AppendUtf8(std::string& out, char16_t unit) {
  if (unit < 0x80) {
    out.push_back(static_cast<char>(unit));
  } else if (unit < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
    out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
    out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  }
}

// The text of a field: its bytes up to the first NUL, or all of them when there is none,
// as UTF-8.
std::string FieldText(std::string_view field) {
  const std::size_t end = field.find('\0');
  if (end != std::string_view::npos) field = field.substr(0, end);
  if (IsValidUtf8(field)) return std::string(field);
  std::string text;
  text.reserve(field.size() * 2);
  for (char c : field) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t{byte});
  }
  return text;
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
  std::string bytes(kLongestBattleList, '\0');
  std::size_t filled = 0;
  if (!file.Seek(0)) return ParseBattleList({});
  while (filled < bytes.size()) {
    const std::int64_t count = file.Read(bytes.data() + filled, bytes.size() - filled);
    if (count <= 0) break;
    filled += static_cast<std::size_t>(count);
  }
  bytes.resize(filled);
  return ParseBattleList(bytes);
}

}  // namespace vantrel
