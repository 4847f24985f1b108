// The cipher over blocks: the key is spread over a machine word so that eight bytes are
// combined at once, which the compiler turns into vector instructions where it can.
#include "battle/mission_cipher.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

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
  // With the source's length known, the target's room is taken at once, the block is no
  // larger than the mission, and the read that would only find the end is left out.
  const std::optional<std::uint64_t> size = source.Size();
  if (size && !target.Reserve(*size)) return CipherCopy::WriteFailed;
  const std::size_t blockSize =
      size ? static_cast<std::size_t>(std::clamp<std::uint64_t>(*size, 1, kBlockSize)) : kBlockSize;
  // Every byte of the block is read into before it is used: no need to clear it first.
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(blockSize);
  std::uint64_t copied = 0;
  while (!size || copied < *size) {
    const std::int64_t count = source.Read(block.get(), blockSize);
    if (count == 0) break;
    if (count < 0) return CipherCopy::ReadFailed;
    const auto length = static_cast<std::size_t>(count);
    ApplyMissionKey(block.get(), length, key);
    if (!target.Write(block.get(), length)) return CipherCopy::WriteFailed;
    copied += length;
  }
  return CipherCopy::Done;
}

}  // namespace vantrel
