// Creating the install folder level by level. Either separator is taken, since a folder
// typed on the Destination page may use either.
#include "setup/install_folder.h"

#include <string>

#include "platform/file_system.h"
#include "platform/path.h"

namespace vantrel {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool MakeUnlessPresent(const std::string& path) {
  platform::FileSystem& files = platform::Files();
  return files.Kind(path) != platform::PathKind::Missing || files.CreateFolder(path);
}

}  // namespace

bool CreateInstallFolder(std::string_view path) {
  if (path.empty() || !platform::PathFitsLimit(path)) return false;
  const std::string copy(path);
  const std::size_t first = copy.find_first_of("\\/");
  if (first != std::string::npos) {
    for (std::size_t at = first + 1; at < copy.size(); ++at) {
      // A doubled separator names the same folder twice; the second adds nothing.
      if (!IsSeparator(copy[at]) || IsSeparator(copy[at - 1])) continue;
      if (!MakeUnlessPresent(copy.substr(0, at))) return false;
    }
  }
  return MakeUnlessPresent(copy);
}

}  // namespace vantrel
