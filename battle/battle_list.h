// The battle list ("battle.kzb") that travels with every battle: which game the battle is
// for, the one-byte key of its missions, the battle's name and the file names of its
// enciphered missions. This is the only reader of its layout; staging, decryption,
// clean-up and the installed-battle display all go through it.
//
// Layout (no header, no checksum):
//   0        game          GameId as one unsigned byte
//   1        mission key
//   2..52    battle name   51 bytes, NUL-terminated, NUL-padded
//   53       mission count n, unsigned
//   54       reserved
//   55+21*i  mission name  21 bytes each, NUL-terminated, NUL-padded
//   55+21*n  reserved; anything after it is ignored
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace vantrel {

inline constexpr std::size_t kBattleNameOffset = 2;
inline constexpr std::size_t kBattleNameField = 51;
inline constexpr std::size_t kMissionCountOffset = 53;
inline constexpr std::size_t kFirstMissionOffset = 55;
inline constexpr std::size_t kMissionNameField = 21;
// The most a battle list can hold that the launcher reads: 255 names and the byte after.
inline constexpr std::size_t kLongestBattleList = kFirstMissionOffset + kMissionNameField * 255 + 1;

struct BattleList {
  std::optional<std::uint8_t> game;  // empty for an empty file
  std::uint8_t missionKey = 0;
  std::string name;                  // UTF-8
  std::uint8_t listedCount = 0;      // the count byte as stored
  // One name per listed entry that begins inside the file, in list order (UTF-8). A list
  // cut short names fewer missions than its count says.
  std::vector<std::string> missions;
};

// Reads a battle list from the start of an open file. What the file lacks stays empty
// (or 0): the reader takes a file as far as it goes and never past its end, and a read
// error counts as the end. A text field without a terminator is read to its full width.
// Texts are single-byte text read as the Windows Western code page, unless they are
// valid UTF-8 already, exactly as the names of a package's entries are read, so that a
// mission's name here spells the name its staged file got.
BattleList ReadBattleList(platform::File& file);

// The same from the bytes of a battle list.
BattleList ParseBattleList(std::string_view bytes);

}  // namespace vantrel
