// Turning a folder given on the command line into the absolute path the settings store
// keeps, by name only: the folder need not exist, and links are not followed.
#include "cli/stored_folder.h"

#include <vector>

namespace vantrel::cli {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool HasDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

bool IsAbsolute(std::string_view path) {
  return (!path.empty() && IsSeparator(path[0])) || HasDrive(path);
}

}  // namespace

std::string StoredFolder(std::string_view path, std::string_view currentFolder) {
  std::string full;
  if (IsAbsolute(path)) {
    full = path;
  } else {
    full = currentFolder;
    full += '/';
    full += path;
  }

  const bool windowsForm = HasDrive(full) || (full.find('\\') != std::string::npos &&
                                              full.find('/') == std::string::npos);
  const char separator = windowsForm ? '\\' : '/';

  // The root: "D:\" or "D:" (drive-relative, kept as typed), the "\\" of a network
  // share, or one separator.
  std::string root;
  std::size_t rest = 0;
  if (HasDrive(full)) {
    root = full.substr(0, 2);
    rest = 2;
    if (full.size() > 2 && IsSeparator(full[2])) root += separator;
  } else if (full.rfind("\\\\", 0) == 0) {
    root = "\\\\";
  } else {
    root = separator;
  }

  std::vector<std::string_view> components;
  const std::string_view text(full);
  while (rest < text.size()) {
    std::size_t end = rest;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view component = text.substr(rest, end - rest);
    if (component == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != ".") {
      components.push_back(component);
    }
    rest = end + 1;
  }

  std::string stored = root;
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) stored += separator;
    stored += components[i];
  }
  return stored;
}

}  // namespace vantrel::cli
