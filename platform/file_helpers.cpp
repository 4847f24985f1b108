// The whole-file helpers, over whichever file system is installed.
#include "platform/file_helpers.h"

#include <memory>
#include <vector>

#include "platform/path.h"
#include "platform/system_error.h"

namespace vantrel::platform {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

// The drive ("C:") or root ("", as the folder part of "/x" or "\x") above which there is
// nothing to create.
bool IsTop(std::string_view folder) { return folder.empty() || folder.back() == ':'; }

}  // namespace

WholeFile ReadWholeFile(const std::string& path) {
  WholeFile whole;
  const SavedFailure before;
  const std::unique_ptr<File> file = Files().Open(path, OpenMode::Read);
  if (!file) {
    // A file that is not there is an answer; the failure of its opening is put back to
    // what it was. One that is there but cannot be opened keeps the failure and its cause.
    const std::optional<Failure> opening = LastFailure();
    whole.status = Files().Kind(path) == PathKind::Missing ? WholeFile::Status::Missing
                                                           : WholeFile::Status::Unreadable;
    if (whole.status == WholeFile::Status::Missing) {
      before.Restore();
    } else if (opening) {
      RecordFailure(*opening);
    }
    return whole;
  }
  std::vector<char> block(kReadBlock);
  for (;;) {
    const std::int64_t count = file->Read(block.data(), block.size());
    if (count < 0) {
      whole.status = WholeFile::Status::Unreadable;
      whole.bytes.clear();
      return whole;
    }
    if (count == 0) break;
    whole.bytes.append(block.data(), static_cast<std::size_t>(count));
  }
  whole.status = WholeFile::Status::Read;
  return whole;
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

std::int64_t ReadUpTo(File& file, void* buffer, std::size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t filled = 0;
  while (filled < size) {
    const std::int64_t count = file.Read(bytes + filled, size - filled);
    if (count < 0) return -1;
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  return static_cast<std::int64_t>(filled);
}

std::optional<std::string> ReadUpTo(File& file, std::size_t size) {
  std::string bytes(size, '\0');
  const std::int64_t count = ReadUpTo(file, bytes.data(), bytes.size());
  if (count < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(count));
  return bytes;
}

bool CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  switch (Files().Kind(folder)) {
    case PathKind::Folder:
      return true;
    case PathKind::File:
      return false;
    case PathKind::Missing:
      break;
  }
  const std::string parent(FolderPart(folder));
  if (!IsTop(parent) && !CreateFolders(parent)) return false;
  return Files().CreateFolder(folder);
}

bool ReplaceFileContent(const std::string& path, const std::string& temporaryPath,
                        std::string_view bytes) {
  bool written = false;
  {
    const std::unique_ptr<File> temporary = Files().Open(temporaryPath, OpenMode::CreateAlways);
    if (!temporary) return false;
    written = temporary->Write(bytes.data(), bytes.size());
  }
  if (written && Files().MoveFile(temporaryPath, path)) return true;
  // The write's or the rename's failure is the cause, not that of the clean-up.
  const SavedFailure cause;
  Files().DeleteFile(temporaryPath);
  cause.Restore();
  return false;
}

}  // namespace vantrel::platform
