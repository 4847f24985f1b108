// A stand-in for a game that a play runs: small enough (C streams only) to be padded to
// a release's exact size, so it passes identification and takes the patches in its
// padding. While it runs it does what "probe.txt" beside it asks, one request a line,
// and writes what it saw to "played.log":
//   file PATH          PATH (relative to its folder) as "file PATH SIZE HEX", or missing
//   self OFFSET COUNT  COUNT of its own bytes from OFFSET (decimal), as hex
//   touch PATH OFFSET  rewrites the byte at OFFSET of PATH, as a game saving a pilot
// and a line "arguments ..." with what it was started with.
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/hex.h"

namespace {

using vantrel::testing::Hex;

std::string FolderOf(const std::string& program) {
  const std::size_t slash = program.find_last_of("/\\");
  return slash == std::string::npos ? std::string(".") : program.substr(0, slash);
}

bool ReadBytes(const std::string& path, long offset, long count, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes.clear();
  if (std::fseek(file, offset, SEEK_SET) == 0) {
    for (long i = 0; count < 0 || i < count; ++i) {
      const int c = std::fgetc(file);
      if (c == EOF) break;
      bytes += static_cast<char>(c);
    }
  }
  std::fclose(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argv[0];
  const std::string folder = FolderOf(program) + "/";
  std::FILE* log = std::fopen((folder + "played.log").c_str(), "ab");
  std::FILE* probe = std::fopen((folder + "probe.txt").c_str(), "rb");
  if (log == nullptr) return 100;
  std::fputs("arguments", log);
  for (int i = 1; i < argc; ++i) std::fprintf(log, " %s", argv[i]);
  std::fputs("\n", log);
  char line[512];
  while (probe != nullptr && std::fgets(line, sizeof line, probe) != nullptr) {
    char kind[16] = {};
    char path[400] = {};
    long first = 0;
    long second = 0;
    std::string bytes;
    if (std::sscanf(line, "file %399s", path) == 1) {
      if (ReadBytes(folder + path, 0, -1, bytes)) {
        std::fprintf(log, "file %s %zu %s\n", path, bytes.size(), Hex(bytes).c_str());
      } else {
        std::fprintf(log, "file %s missing\n", path);
      }
    } else if (std::sscanf(line, "self %ld %ld", &first, &second) == 2) {
      ReadBytes(program, first, second, bytes);
      std::fprintf(log, "self %ld %s\n", first, Hex(bytes).c_str());
    } else if (std::sscanf(line, "touch %399s %ld", path, &first) == 2) {
      std::FILE* file = std::fopen((folder + path).c_str(), "r+b");
      if (file != nullptr && std::fseek(file, first, SEEK_SET) == 0) {
        const int c = std::fgetc(file);
        std::fseek(file, first, SEEK_SET);
        std::fputc(c == EOF ? 0 : c, file);
      }
      if (file != nullptr) std::fclose(file);
    } else if (std::sscanf(line, "%15s", kind) == 1) {
      std::fprintf(log, "unknown %s\n", kind);
    }
  }
  if (probe != nullptr) std::fclose(probe);
  std::fclose(log);
  return 0;
}
