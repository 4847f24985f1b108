// The layout of a new X-Wing Alliance pilot file, as a table of the bytes that are not
// zero. The game reads these as a fresh pilot's ranks, ratings and unlocked missions;
// only their places and values matter to the launcher.
#include "pilots/xwa_pilot_file.h"

#include <array>
#include <cstdint>

namespace vantrel {
namespace {

struct Run {
  std::size_t offset;
  std::size_t length;
  std::uint8_t value;
};

// Every run of equal bytes of a new pilot, prepared or not.
constexpr std::array<Run, 24> kFreshPilot = {{
    {0x0002E, 1, 0x3A},
    {0x10C9B, 72, 0x01},
    {0x10CE5, 4, 0x01},
    {0x10CEA, 2, 0x01},
    {0x10CED, 3, 0x01},
    {0x10CF2, 4, 0x01},
    {0x10CF7, 21, 0x01},
    {0x10D11, 5, 0x01},
    {0x10D17, 1, 0x01},
    {0x10D19, 20, 0x01},
    {0x10D2E, 1, 0x01},
    {0x10D30, 10, 0x01},
    {0x10D3B, 1, 0x01},
    {0x10D3E, 1, 0x01},
    {0x10D43, 1, 0x01},
    {0x10D48, 1, 0x01},
    {0x10D4C, 4, 0x01},
    {0x10D7E, 3, 0x01},
    {0x10E9E, 1, 0x02},
    {0x11386, 1, 0x04},
    {0x1138E, 1, 0x3A},
    {0x1B20E, 1, 0x03},
    {0x1B216, 1, 0x3A},
    {0x250F7, 1, 0x03},
}};

// A fresh pilot's rating, a text with its NUL.
constexpr std::size_t kRatingOffset = 0x10F12;
constexpr std::string_view kRating{"Unrated\0", 8};

// A pilot prepared for KZ battles has one byte set in each of 53 records of 48 bytes.
constexpr std::size_t kPreparedFirst = 0x0AD0E;
constexpr std::size_t kPreparedStride = 48;
constexpr std::size_t kPreparedCount = 53;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string_view CutXwaPilotName(std::string_view typed) {
  if (typed.size() <= kMaxXwaPilotName) return typed;
  std::size_t end = kMaxXwaPilotName;
  while (end > 0 && IsContinuationByte(typed[end])) --end;
  return typed.substr(0, end);
}

std::string NewXwaPilotFile(std::string_view name, bool prepare) {
  std::string bytes(kXwaPilotFileSize, '\0');
  const std::string_view kept = CutXwaPilotName(name);
  bytes.replace(0, kept.size(), kept);
  for (const Run& run : kFreshPilot) {
    bytes.replace(run.offset, run.length, run.length, static_cast<char>(run.value));
  }
  bytes.replace(kRatingOffset, kRating.size(), kRating);
  if (prepare) {
    for (std::size_t k = 0; k < kPreparedCount; ++k) {
      bytes[kPreparedFirst + kPreparedStride * k] = '\x01';
    }
  }
  return bytes;
}

}  // namespace vantrel
