#include "tests/support/zip_builder.h"

#include <stdexcept>
#include <string>

#include <zip.h>

namespace vantrel::testing {

ZipBuilder::ZipBuilder(std::string path) : zip_(zipOpen64(path.c_str(), APPEND_STATUS_CREATE)) {
  if (zip_ == nullptr) throw std::runtime_error("cannot create zip " + path);
}

ZipBuilder::~ZipBuilder() { Close(); }

ZipBuilder& ZipBuilder::Add(std::string_view name, std::string_view bytes, std::uint32_t dosTime,
                            bool deflate) {
  zip_fileinfo info{};
  info.dosDate = dosTime;
  const std::string entry(name);
  if (zipOpenNewFileInZip64(zip_, entry.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                            deflate ? Z_DEFLATED : 0, deflate ? Z_DEFAULT_COMPRESSION : 0,
                            bytes.size() >= 0xffffffffu) != ZIP_OK ||
      zipWriteInFileInZip(zip_, bytes.data(), static_cast<unsigned>(bytes.size())) != ZIP_OK ||
      zipCloseFileInZip(zip_) != ZIP_OK) {
    throw std::runtime_error("cannot add " + entry);
  }
  return *this;
}

ZipBuilder& ZipBuilder::AddFolder(std::string_view name) { return Add(name, {}, kNoonDosTime, false); }

void ZipBuilder::Close() {
  if (zip_ != nullptr) {
    zipClose(zip_, nullptr);
    zip_ = nullptr;
  }
}

}  // namespace vantrel::testing
