// ZIP writing through minizip's zip.h, the battle list layout, the cipher and the
// deterministic content the generator fills its missions with.
#include "bench/package_writer.h"

#include <array>
#include <stdexcept>

#include <zip.h>

namespace vantrel::bench {
namespace {

// 2003-05-17 12:00:00 as a DOS date and time (date in the high 16 bits). Every entry
// carries it, so the archive does not depend on the clock.
constexpr std::uint32_t kEntryTime = (((2003 - 1980) << 9 | 5 << 5 | 17) << 16) | (12 << 11);

// minizip takes the length of a write as an unsigned int; larger entries go in pieces.
constexpr std::size_t kWritePiece = 1 << 20;

constexpr std::size_t kNameOffset = 2;
constexpr std::size_t kNameField = 51;
constexpr std::size_t kCountOffset = 53;
constexpr std::size_t kFirstMissionOffset = 55;
constexpr std::size_t kMissionField = 21;

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

ZipWriter::ZipWriter(const std::string& path)
    : zip_(zipOpen64(path.c_str(), APPEND_STATUS_CREATE)), path_(path) {
  if (zip_ == nullptr) throw std::runtime_error("cannot create " + path);
}

ZipWriter::~ZipWriter() {
  if (zip_ != nullptr) zipClose(zip_, nullptr);
}

void ZipWriter::Add(std::string_view name, std::string_view bytes) {
  if (zip_ == nullptr) throw std::runtime_error("archive " + path_ + " is already closed");
  zip_fileinfo info{};
  info.dosDate = kEntryTime;
  const std::string entry(name);
  if (zipOpenNewFileInZip64(zip_, entry.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                            Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0) != ZIP_OK) {
    throw std::runtime_error("cannot add " + entry + " to " + path_);
  }
  for (std::size_t at = 0; at < bytes.size(); at += kWritePiece) {
    const std::string_view piece = bytes.substr(at, kWritePiece);
    if (zipWriteInFileInZip(zip_, piece.data(), static_cast<unsigned>(piece.size())) != ZIP_OK) {
      throw std::runtime_error("cannot write " + entry + " to " + path_);
    }
  }
  if (zipCloseFileInZip(zip_) != ZIP_OK) {
    throw std::runtime_error("cannot finish " + entry + " in " + path_);
  }
}

void ZipWriter::Close() {
  void* zip = zip_;
  zip_ = nullptr;
  if (zip != nullptr && zipClose(zip, nullptr) != ZIP_OK) {
    throw std::runtime_error("cannot finish " + path_);
  }
}

std::string BattleList(std::uint8_t game, std::uint8_t key, std::string_view name,
                       const std::vector<std::string>& missions) {
  if (name.size() > kMaxBattleName) throw std::invalid_argument("battle name too long");
  if (missions.size() > kMaxListedMissions) throw std::invalid_argument("too many missions");
  std::string list(kFirstMissionOffset + kMissionField * missions.size() + 1, '\0');
  list[0] = static_cast<char>(game);
  list[1] = static_cast<char>(key);
  list.replace(kNameOffset, name.size(), name);
  list[kCountOffset] = static_cast<char>(missions.size());
  for (std::size_t i = 0; i < missions.size(); ++i) {
    if (missions[i].size() > kMaxMissionName) {
      throw std::invalid_argument("mission name too long: " + missions[i]);
    }
    list.replace(kFirstMissionOffset + kMissionField * i, missions[i].size(), missions[i]);
  }
  static_assert(kNameOffset + kNameField == kCountOffset);
  return list;
}

std::string Encipher(std::string plain, std::uint8_t key) {
  for (char& byte : plain) byte = static_cast<char>(static_cast<std::uint8_t>(byte) ^ key);
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
