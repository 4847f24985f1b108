#include "platform/text_file.h"

#include <cstdint>
#include <memory>

#include "platform/file_system.h"

namespace vantrel::platform {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const std::unique_ptr<File> file = Files().Open(path, OpenMode::Read);
  if (!file) return std::nullopt;
  std::string text;
  std::string block(kReadBlock, '\0');
  for (;;) {
    const std::int64_t count = file->Read(block.data(), block.size());
    if (count < 0) return std::nullopt;
    if (count == 0) return text;
    text.append(block.data(), static_cast<std::size_t>(count));
  }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace vantrel::platform
