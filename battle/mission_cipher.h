// The mission cipher: a plain mission and its enciphered form have the same length, and
// each byte of one is the byte of the other combined with the battle's one-byte mission
// key by exclusive-or. The same operation enciphers and deciphers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file_system.h"

namespace vantrel {

// Combines each of `size` bytes at `data` with `key`, in place.
void ApplyMissionKey(unsigned char* data, std::size_t size, std::uint8_t key);

enum class CipherCopy {
  Done,         // the source was read to its end and all of it written
  ReadFailed,   // reading the source failed; what was read before is written
  WriteFailed,  // the target took less than it was given (a full disk)
};

// Reads `source` from its position to its end and writes each byte, combined with `key`,
// to `target`. Works through large blocks; the bytes written are exactly those of a
// byte-by-byte copy.
CipherCopy CopyWithMissionKey(platform::File& source, platform::File& target, std::uint8_t key);

}  // namespace vantrel
