// The folder Setup installs into, made level by level as the Destination page and the
// Start Menu step need it.
#pragma once

#include <string_view>

namespace vantrel {

// Creates every missing folder of `path`, from the top down; the part before the first
// separator (the drive, or nothing for a path from the root) is never created. True when
// the whole path exists afterwards: something that exists there counts, even a file, so
// a file is only found out when the first file is written into it. A path over 259
// characters is refused before anything is made.
bool CreateInstallFolder(std::string_view path);

}  // namespace vantrel
