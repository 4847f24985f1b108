// Reads the last pilot's name straight from the bytes of the configuration file. The
// games write it as text with CR LF line ends; a CR ends the word as an LF does, so the
// name never carries the line end along.
#include "pilots/config_word.h"

#include <array>
#include <cstdint>
#include <memory>

#include "platform/file_system.h"

namespace vantrel {
namespace {

bool EndsWord(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<std::string> ReadLastPilotWord(const std::string& configPath) {
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(configPath, platform::OpenMode::Read);
  if (!file || !file->Seek(kLastPilotPrefix.size())) return std::nullopt;

  std::string word;
  std::array<char, 256> chunk;
  for (;;) {
    const std::int64_t count = file->Read(chunk.data(), chunk.size());
    if (count < 0) return std::nullopt;
    if (count == 0) return word;
    for (std::int64_t i = 0; i < count; ++i) {
      const char c = chunk[static_cast<std::size_t>(i)];
      if (EndsWord(c)) return word;
      word.push_back(c);
    }
  }
}

}  // namespace vantrel
