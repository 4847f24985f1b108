// Builds ZIP packages for tests with the launcher's package writer: stored or deflated entries,
// folder entries, chosen DOS times and raw names (absolute, with "..", with '\').
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "tests/support/temp_folder.h"

namespace vantrel {
class PackageWriter;
}

namespace vantrel::testing {

// 2003-05-17 12:00:00 as a DOS date and time (date in the high 16 bits).
inline constexpr std::uint32_t kNoonDosTime =
    (((2003 - 1980) << 9 | 5 << 5 | 17) << 16) | (12 << 11);

class ZipBuilder {
 public:
  explicit ZipBuilder(std::string path);  // a native path
  ~ZipBuilder();
  ZipBuilder(const ZipBuilder&) = delete;
  ZipBuilder& operator=(const ZipBuilder&) = delete;

  ZipBuilder& Add(std::string_view name, std::string_view bytes,
                  std::uint32_t dosTime = kNoonDosTime, bool deflate = true);
  ZipBuilder& AddFolder(std::string_view name);  // name ends with '/'
  // Writes the central directory. Called by the destructor if not before.
  void Close();

 private:
  std::unique_ptr<PackageWriter> writer_;
};

// Writes the package `name` into `temp` with what `build` adds to it, and returns its path
// in the launcher's form.
template <typename Build>
std::string WritePackage(const TempFolder& temp, std::string_view name, Build build) {
  {
    ZipBuilder zip(temp.Native(name).string());
    build(zip);
  }
  return temp.Path(name);
}

}  // namespace vantrel::testing
