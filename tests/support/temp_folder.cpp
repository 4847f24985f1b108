#include "tests/support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vantrel::testing {
namespace fs = std::filesystem;
namespace {

fs::path ToNative(std::string_view relative) {
  std::u8string text(relative.begin(), relative.end());
  std::replace(text.begin(), text.end(), u8'\\', u8'/');
  return fs::path(text);
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  root_ = fs::temp_directory_path() /
          ("vantrel-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(root_);
  path_ = Utf8(root_);
#ifdef _WIN32
  std::replace(path_.begin(), path_.end(), '/', '\\');
#endif
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Fixtures may leave read-only files behind; make everything writable first.
  for (auto it = fs::recursive_directory_iterator(root_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

std::string TempFolder::Path(std::string_view relative) const {
  return path_ + "\\" + std::string(relative);
}

std::string TempFolder::SystemPath(std::string_view relative) const {
  std::string path = path_ + '/' + std::string(relative);
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '/', '\\');
#else
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

fs::path TempFolder::Native(std::string_view relative) const {
  return relative.empty() ? root_ : root_ / ToNative(relative);
}

void TempFolder::WriteFile(std::string_view relative, std::string_view bytes) const {
  const fs::path file = Native(relative);
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write fixture " + Utf8(file));
}

void TempFolder::MakeFolder(std::string_view relative) const {
  fs::create_directories(Native(relative));
}

std::optional<std::string> TempFolder::ReadFile(std::string_view relative) const {
  std::ifstream in(Native(relative), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(std::string_view relative) const {
  std::error_code ignored;
  return fs::exists(Native(relative), ignored);
}

std::vector<std::string> TempFolder::List(std::string_view relative) const {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(Native(relative), ignored)) {
    names.push_back(Utf8(entry.path().filename()) + (entry.is_directory() ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

std::string VariedBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 256) & 0xFF);
  return bytes;
}

}  // namespace vantrel::testing
