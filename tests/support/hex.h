// Bytes as hex digits in capitals, as the stand-in games write what they saw.
#pragma once

#include <string>

namespace vantrel::testing {

inline std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

}  // namespace vantrel::testing
