// Any bytes as a battle package: opened, every entry's information read, every entry's
// data read, then the whole package extracted into a scratch folder, as a load does.
// Besides crashes and sanitizer reports, a finding is any file or folder the extraction
// leaves outside its destination.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "package/package_archive.h"

namespace {

namespace fs = std::filesystem;

// One scratch folder per fuzzing process: the package file and the extraction folder.
const fs::path& Scratch() {
  static const fs::path scratch = [] {
    const fs::path folder =
        fs::temp_directory_path() / ("vantrel-fuzz-" + std::to_string(std::random_device()()));
    if (!fs::create_directory(folder)) std::abort();
    return folder;
  }();
  return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path package = Scratch() / "package.kzm";
  const fs::path destination = Scratch() / "Temp";
  {
    std::ofstream file(package, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  fs::create_directory(destination);

  vantrel::PackageArchive archive;
  if (archive.OpenPackage(package.string())) {
    archive.GetEntryCount();
    for (bool more = archive.GoToFirstEntry(); more; more = archive.GoToNextEntry()) {
      vantrel::PackageEntryInfo info;
      archive.GetCurrentEntryInfo(info);
      archive.ReadCurrentEntry([](std::string_view) {});
    }
    archive.ExtractPackage(destination.string(), false);
    archive.ClosePackage();
  }

  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(Scratch())) {
    if (entry.path() != package && entry.path() != destination) std::abort();
  }
  fs::remove_all(destination, ignored);
  return 0;
}
