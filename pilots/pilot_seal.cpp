// Sealing a pilot file. Every byte is read before the seal is written, and the file's
// size is checked against the farthest offset first, so that a short or damaged pilot
// file is never grown or written past its end.
#include "pilots/pilot_seal.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "core/settings.h"
#include "platform/file_system.h"

namespace vantrel {
namespace {

// N read from the file: the second character of the pilot's name field.
constexpr std::uint64_t kNameByteOffset = 1;

std::optional<std::uint8_t> ReadByteAt(platform::File& file, std::uint64_t offset) {
  std::uint8_t byte = 0;
  if (!file.Seek(offset) || file.Read(&byte, 1) != 1) return std::nullopt;
  return byte;
}

std::size_t CharacterLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// The second character of a TIE Fighter 95 pilot file's name as the game spelled it, in
// its 8-bit character set: the name comes from the folder search in UTF-8, where a
// character of Latin-1 takes two bytes (U+0080 to U+00FF are C2 80 to C3 BF). A character
// beyond Latin-1 has no byte of its own there and stands as '?', as Windows spells it.
// A name of one character ends there, and its NUL is N.
std::uint8_t SecondCharacter(std::string_view name) {
  if (name.empty()) return 0;
  const std::size_t first = CharacterLength(static_cast<unsigned char>(name[0]));
  const std::string_view rest = name.substr(std::min(first, name.size()));
  if (rest.empty()) return 0;
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (lead < 0x80) return lead;
  if ((lead == 0xC2 || lead == 0xC3) && rest.size() >= 2) {
    const auto trail = static_cast<unsigned char>(rest[1]);
    return static_cast<std::uint8_t>(((lead & 0x03) << 6) | (trail & 0x3F));
  }
  return '?';
}

}  // namespace

std::uint8_t PilotSeal(std::uint8_t n, std::uint8_t a, std::uint8_t b) {
  return static_cast<std::uint8_t>(static_cast<std::uint8_t>(n - a) ^ b);
}

bool SealPilotFile(GameId game, const std::optional<std::string>& pilotFileName) {
  if (!pilotFileName) return false;
  const std::unique_ptr<platform::File> file = platform::Files().Open(
      ReadGameFolder(game) + "\\" + *pilotFileName, platform::OpenMode::ReadWrite);
  if (!file) return false;

  const SealPlaces& places = Game(game).seal;
  const bool nameByteInFile = places.nameByteInFile;
  std::uint64_t farthest = std::max({places.a, places.b, places.seal});
  if (nameByteInFile) farthest = std::max(farthest, kNameByteOffset);
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size <= farthest) return false;

  const std::optional<std::uint8_t> a = ReadByteAt(*file, places.a);
  const std::optional<std::uint8_t> b = ReadByteAt(*file, places.b);
  const std::optional<std::uint8_t> n =
      nameByteInFile ? ReadByteAt(*file, kNameByteOffset) : SecondCharacter(*pilotFileName);
  if (!a || !b || !n) return false;

  const std::uint8_t seal = PilotSeal(*n, *a, *b);
  return file->Seek(places.seal) && file->Write(&seal, 1);
}

}  // namespace vantrel
