// The pieces the package generator builds battle packages from: the launcher's package
// writer, battle list layout and mission cipher, wrapped to fail loudly as a tool may,
// and a small fixed-seed random source, so that the same command always writes the same
// bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_writer.h"

namespace vantrel::bench {

// Writes a new ZIP archive entry by entry; every entry is deflated and carries the same
// fixed time, so two runs give byte-identical archives.
class ZipWriter {
 public:
  explicit ZipWriter(const std::string& path);

  void Add(std::string_view name, std::string_view bytes);
  // Writes the central directory; fails loudly if that cannot be done.
  void Close();

 private:
  PackageWriter writer_;
  std::string path_;
};

// The most missions a battle list can name (its count is one byte).
inline constexpr std::size_t kMaxListedMissions = 255;

// The battle list's bytes; names that do not fit their fields fail loudly.
std::string BattleList(std::uint8_t game, std::uint8_t key, std::string_view name,
                       const std::vector<std::string>& missions);

// Each byte combined with the key by exclusive-or; the same call deciphers.
std::string Encipher(std::string plain, std::uint8_t key);

// splitmix64: small, fast, and the same sequence on every platform for one seed.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // A number from low to high, both included.
  std::uint64_t Between(std::uint64_t low, std::uint64_t high);
  // `size` bytes with no structure at all, which deflate cannot shrink.
  std::string Bytes(std::size_t size);
  // `size` bytes of lines that read like a mission script, which deflate shrinks well.
  std::string Text(std::size_t size);

 private:
  std::uint64_t state_;
};

}  // namespace vantrel::bench
