// The launcher's writers behind the generator's loud interface, and the deterministic
// content the generator fills its missions with.
#include "bench/package_writer.h"

#include <array>
#include <stdexcept>

#include "battle/battle_list_writer.h"
#include "battle/mission_cipher.h"

namespace vantrel::bench {
namespace {

// 2003-05-17 12:00:00 as a DOS date and time (date in the high 16 bits). Every entry
// carries it, so the archive does not depend on the clock.
constexpr std::uint32_t kEntryTime = (((2003 - 1980) << 9 | 5 << 5 | 17) << 16) | (12 << 11);

constexpr std::array<std::string_view, 12> kCraft = {
    "X-wing",  "Y-wing",   "A-wing",       "B-wing",         "TIE Fighter", "TIE Bomber",
    "TIE Interceptor", "TIE Advanced", "Assault Gunboat", "Corvette", "Frigate", "Shuttle"};
constexpr std::array<std::string_view, 8> kOrders = {
    "Attack",  "Escort",  "Disable", "Inspect",
    "Board",   "Protect", "Patrol",  "Hold position"};
constexpr std::array<std::string_view, 6> kSides = {"Rebel", "Imperial", "Neutral",
                                                     "Pirate", "Rebel", "Imperial"};

std::string_view Pick(Random& random, const auto& words) {
  return words[random.Next() % words.size()];
}

void AppendNumber(std::string& out, std::uint64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

}  // namespace

ZipWriter::ZipWriter(const std::string& path) : path_(path) {
  if (!writer_.Create(path)) throw std::runtime_error("cannot create " + path);
}

void ZipWriter::Add(std::string_view name, std::string_view bytes) {
  if (!writer_.isOpen() || !writer_.Add(name, bytes, kEntryTime)) {
    throw std::runtime_error("cannot add " + std::string(name) + " to " + path_);
  }
}

void ZipWriter::Close() {
  if (!writer_.Finish()) throw std::runtime_error("cannot finish " + path_);
}

std::string BattleList(std::uint8_t game, std::uint8_t key, std::string_view name,
                       const std::vector<std::string>& missions) {
  vantrel::BattleList list;
  list.game = game;
  list.missionKey = key;
  list.name = std::string(name);
  list.missions = missions;
  std::optional<std::string> bytes = BattleListBytes(list);
  if (!bytes) throw std::invalid_argument("a name does not fit the battle list");
  return *bytes;
}

std::string Encipher(std::string plain, std::uint8_t key) {
  ApplyMissionKey(reinterpret_cast<unsigned char*>(plain.data()), plain.size(), key);
  return plain;
}

std::uint64_t Random::Next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

std::uint64_t Random::Between(std::uint64_t low, std::uint64_t high) {
  return low + Next() % (high - low + 1);
}

std::string Random::Bytes(std::size_t size) {
  std::string bytes;
  bytes.reserve(size + 8);
  while (bytes.size() < size) {
    std::uint64_t word = Next();
    for (int i = 0; i < 8; ++i, word >>= 8) bytes += static_cast<char>(word & 0xff);
  }
  bytes.resize(size);
  return bytes;
}

std::string Random::Text(std::size_t size) {
  std::string text;
  text.reserve(size + 128);
  std::uint64_t line = 0;
  while (text.size() < size) {
    text += "FG ";
    AppendNumber(text, line++ % 96, 2);
    text += ' ';
    text += Pick(*this, kSides);
    text += ' ';
    text += Pick(*this, kCraft);
    text += " wp ";
    AppendNumber(text, Between(0, 7), 1);
    text += " x=";
    AppendNumber(text, Between(0, 9999), 4);
    text += " y=";
    AppendNumber(text, Between(0, 9999), 4);
    text += " order: ";
    text += Pick(*this, kOrders);
    text += ' ';
    text += Pick(*this, kCraft);
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

}  // namespace vantrel::bench
