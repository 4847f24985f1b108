// Steam's list of its library folders, "steamapps/libraryfolders.vdf" below Steam's own
// folder: text in Valve's key-value format, quoted keys and values in nested braces. A
// library's folder is the value of a "path" key, or in the older form the value of a
// numbered key ("1" "D:\\SteamLibrary"). Games live in a library's steamapps/common.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The library folders the list names, in its order, each once.
std::vector<std::string> ParseSteamLibraryFolders(std::string_view text);

// What a game's manifest in a library ("steamapps/appmanifest_361670.acf") says: the
// game's number and the folder below steamapps/common it is installed in. Under Proton
// the game runs in the Wine prefix steamapps/compatdata/NUMBER/pfx of that library.
struct SteamAppManifest {
  std::string appId;
  std::string installDir;
};
std::optional<SteamAppManifest> ParseSteamAppManifest(std::string_view text);

}  // namespace vantrel
