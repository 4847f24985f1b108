// The launcher's package writer, on the native file system so that a test's own file
// system (one that fails on demand) never breaks a fixture.
#include "tests/support/zip_builder.h"

#include <stdexcept>
#include <string>

#include "package/package_writer.h"

namespace vantrel::testing {

ZipBuilder::ZipBuilder(std::string path)
    : writer_(std::make_unique<PackageWriter>(platform::NativeFileSystem())) {
  if (!writer_->Create(path)) throw std::runtime_error("cannot create zip " + path);
}

ZipBuilder::~ZipBuilder() { Close(); }

ZipBuilder& ZipBuilder::Add(std::string_view name, std::string_view bytes, std::uint32_t dosTime,
                            bool deflate) {
  if (!writer_->Add(name, bytes, dosTime, deflate)) {
    throw std::runtime_error("cannot add " + std::string(name));
  }
  return *this;
}

ZipBuilder& ZipBuilder::AddFolder(std::string_view name) {
  return Add(name, {}, kNoonDosTime, false);
}

void ZipBuilder::Close() {
  if (writer_->isOpen()) writer_->Finish();
}

}  // namespace vantrel::testing
