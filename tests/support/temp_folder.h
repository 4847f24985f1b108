// A fresh folder per test, removed with everything in it when the test ends, and plain
// helpers to lay out and read back fixture files without going through the code under
// test.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder in the launcher's form (no trailing separator), ready to take a literal
  // such as "\KZMISS".
  const std::string& path() const { return path_; }
  // path() followed by a backslash and `relative` (which may use backslashes).
  std::string Path(std::string_view relative) const;
  // The same path as the system writes it, with its own separator throughout.
  std::string SystemPath(std::string_view relative) const;
  // The same location as a std::filesystem path, for fixture work.
  std::filesystem::path Native(std::string_view relative = {}) const;

  void WriteFile(std::string_view relative, std::string_view bytes) const;
  void MakeFolder(std::string_view relative) const;
  std::optional<std::string> ReadFile(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Names directly inside a folder, sorted, folders marked with a trailing '/'.
  std::vector<std::string> List(std::string_view relative = {}) const;

 private:
  std::filesystem::path root_;
  std::string path_;
};

// Bytes from a list of values, for building binary fixtures.
std::string Bytes(std::initializer_list<int> values);

// `size` bytes that vary from one to the next, every 256 of them holding each byte value
// once, so that a byte copied to the wrong place, dropped or left unciphered shows.
std::string VariedBytes(std::size_t size);

}  // namespace vantrel::testing
