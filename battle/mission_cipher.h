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

// Reads `source` from its start to its end and writes each byte, combined with `key`,
// to `target` (empty, at its start). Room for the whole copy is reserved on the disk
// before its first byte is written; then the copy goes through large blocks, and the
// bytes written are exactly those of a byte-by-byte copy. Safe to run on several threads
// at once, each with its own files.
CipherCopy CopyWithMissionKey(platform::File& source, platform::File& target, std::uint8_t key);

}  // namespace vantrel
