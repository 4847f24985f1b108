// The cipher over blocks: the key is spread over a machine word so that eight bytes are
// combined at once, which the compiler turns into vector instructions where it can.
#include "battle/mission_cipher.h"

#include <cstring>
#include <vector>

namespace vantrel {
namespace {

// Large enough that a mission of a few megabytes takes a handful of system calls, small
// enough to stay in the processor's cache between the read and the write.
constexpr std::size_t kBlockSize = 256 * 1024;

}  // namespace

void ApplyMissionKey(unsigned char* data, std::size_t size, std::uint8_t key) {
  const std::uint64_t wideKey = 0x0101010101010101ULL * key;
  std::size_t i = 0;
  for (; i + sizeof wideKey <= size; i += sizeof wideKey) {
    std::uint64_t word;
    std::memcpy(&word, data + i, sizeof word);
    word ^= wideKey;
    std::memcpy(data + i, &word, sizeof word);
  }
  for (; i < size; ++i) data[i] ^= key;
}

CipherCopy CopyWithMissionKey(platform::File& source, platform::File& target, std::uint8_t key) {
  std::vector<unsigned char> block(kBlockSize);
  for (;;) {
    const std::int64_t count = source.Read(block.data(), block.size());
    if (count == 0) return CipherCopy::Done;
    if (count < 0) return CipherCopy::ReadFailed;
    const auto size = static_cast<std::size_t>(count);
    ApplyMissionKey(block.data(), size, key);
    if (!target.Write(block.data(), size)) return CipherCopy::WriteFailed;
  }
}

}  // namespace vantrel
