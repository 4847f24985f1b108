#include "detect/game_search.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "detect/steam_libraries.h"
#include "detect/wine_registry.h"
#include "platform/file_helpers.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace vantrel {
namespace {

// Balance of Power has no installer key of its own: it lives in this folder inside
// X-Wing vs. TIE Fighter's, where Setup looks.
constexpr std::string_view kBalanceOfPowerFolder = "BalanceOfPower";
constexpr std::string_view kInstallPathValue = "Install Path";
// 32-bit programs on 64-bit Windows (and in 64-bit Wine prefixes) write their keys here.
constexpr std::string_view kWow64Node = "Software\\Wow6432Node\\";

// Folders the releases are installed into, on drive C: the GOG and Steam defaults and
// the LucasArts CD installers' own.
constexpr std::array<std::string_view, 6> kUsualParents = {
    "C:\\GOG Games",
    "C:\\Program Files (x86)\\GOG Galaxy\\Games",
    "C:\\Program Files\\GOG Galaxy\\Games",
    "C:\\Program Files (x86)\\LucasArts",
    "C:\\Program Files\\LucasArts",
    "C:\\Games",
};
constexpr std::array<std::string_view, 2> kUsualSteamFolders = {
    "C:\\Program Files (x86)\\Steam",
    "C:\\Program Files\\Steam",
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Joins with the separator the folder already uses: '/' for POSIX paths, '\' for Windows.
std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty() || IsSeparator(folder.back())) return folder + std::string(name);
  const bool posix = folder.front() == '/';
  return folder + (posix ? "/" : "\\") + std::string(name);
}

// The folder with every link resolved, as UTF-8; the path itself when that fails.
std::string RealPath(const std::string& folder) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(
      std::filesystem::path(std::u8string(folder.begin(), folder.end())), error);
  if (error) return folder;
  const std::u8string text = real.u8string();
  return std::string(text.begin(), text.end());
}

// The text of a small file the search reads (a registry file, a Steam list); empty when
// it cannot be read whole.
std::optional<std::string> ReadText(const std::string& path) {
  platform::WholeFile file = platform::ReadWholeFile(path);
  if (file.status != platform::WholeFile::Status::Read) return std::nullopt;
  return std::move(file.bytes);
}

std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> names;
  for (const platform::FoundEntry& entry : platform::Files().Find(Join(folder, "*"))) {
    if (entry.isFolder && entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

// The existing folder `relative` (Windows separators) below `base`, spelt as the disk
// spells it; empty when a part of it is missing.
std::optional<std::string> ResolveBelow(std::string base, std::string_view relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part.find_first_of("*?") != std::string_view::npos) return std::nullopt;
    const std::vector<platform::FoundEntry> found = platform::Files().Find(Join(base, part));
    if (found.empty() || !found.front().isFolder) return std::nullopt;
    base = Join(base, found.front().name);
  }
  return base;
}

// A Wine prefix, and how it shows a Windows path ("C:\Games\TIE95") on this system.
class Prefix {
 public:
  explicit Prefix(std::string folder) : folder_(std::move(folder)) {}

  std::optional<std::string> Map(std::string_view windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    std::string root = Join(folder_, std::string("dosdevices/") + drive + ":");
    // Drive C is the prefix's own drive_c; naming it so keeps the link out of the path.
    if (drive == 'c' &&
        platform::Files().Kind(Join(folder_, "drive_c")) == platform::PathKind::Folder) {
      root = Join(folder_, "drive_c");
    }
    if (platform::Files().Kind(root) != platform::PathKind::Folder) return std::nullopt;
    return ResolveBelow(root, windowsPath.substr(2));
  }

  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

class Search {
 public:
  std::vector<GameLocation> Run(const SearchPlaces& places) && {
    if (places.systemRegistry != nullptr) SearchRegistry(*places.systemRegistry);
    for (const std::string& folder : places.winePrefixes) SearchPrefix(Prefix(folder));
    for (const std::string& steam : places.steamFolders) SearchSteam(steam, nullptr);
    for (const std::string& parent : places.installParents)
      ScanBelow(parent, "usual folder " + parent, nullptr);
    return std::move(found_);
  }

 private:
  // Looks for one game's executable in `folder`; for X-Wing vs. TIE Fighter also for
  // Balance of Power inside it.
  void Check(GameId game, const std::string& folder, const std::string& source,
             const Prefix* prefix) {
    const std::string_view exe = Game(game).executable.substr(1);
    const std::string path = Join(folder, exe);
    auto file = platform::Files().Open(path, platform::OpenMode::Read);
    std::optional<std::uint64_t> size = file ? file->Size() : std::nullopt;
    if (size) {
      GameId actual = game;
      // Both share the executable's name; the release's size tells them apart.
      if (game == GameId::XwingVsTie && *size == Game(GameId::BalanceOfPower).releaseSize) {
        actual = GameId::BalanceOfPower;
      }
      Add(actual, folder, source, prefix, *size);
    }
    if (game == GameId::XwingVsTie) {
      if (const std::optional<std::string> inside = ResolveBelow(folder, kBalanceOfPowerFolder)) {
        Check(GameId::BalanceOfPower, *inside, source, prefix);
      }
    }
  }

  void Add(GameId game, const std::string& folder, const std::string& source, const Prefix* prefix,
           std::uint64_t size) {
    // Steam's two home folders are often one folder through a link, and a prefix's drive
    // C through dosdevices is its drive_c: the same game is reported once.
    const std::string identity = platform::FoldCase(RealPath(folder));
    for (std::size_t i = 0; i < found_.size(); ++i) {
      if (found_[i].game == game && identities_[i] == identity) return;
    }
    identities_.push_back(identity);
    GameLocation location;
    location.game = game;
    location.folder = folder;
    location.source = source;
    if (prefix != nullptr) location.winePrefix = prefix->folder();
    location.executableSize = size;
    location.knownRelease = size == Game(game).releaseSize;
    found_.push_back(std::move(location));
  }

  // Every game whose executable is in `folder`.
  void CheckAll(const std::string& folder, const std::string& source, const Prefix* prefix) {
    const bool balanceOfPower =
        platform::NamesEqual(platform::FileNamePart(folder), kBalanceOfPowerFolder);
    for (GameId game : kAllGames) {
      if (game == GameId::BalanceOfPower) continue;
      if (balanceOfPower && game == GameId::XwingVsTie) {
        Check(GameId::BalanceOfPower, folder, source, prefix);
      } else {
        Check(game, folder, source, prefix);
      }
    }
  }

  // The subfolders of `parent` and theirs: the releases install a folder or two deep.
  void ScanBelow(const std::string& parent, const std::string& source, const Prefix* prefix) {
    for (const std::string& child : Subfolders(parent)) {
      const std::string folder = Join(parent, child);
      CheckAll(folder, source, prefix);
      for (const std::string& grandchild : Subfolders(folder)) {
        CheckAll(Join(folder, grandchild), source, prefix);
      }
    }
  }

  void SearchRegistry(platform::SettingsStore& registry) {
    for (GameId game : kAllGames) {
      const std::string_view key = Game(game).installKey;
      if (key.empty()) continue;
      if (const std::optional<std::string> folder = registry.ReadString(key, kInstallPathValue)) {
        if (!folder->empty()) Check(game, *folder, "the registry", nullptr);
      }
    }
    if (const std::optional<std::string> steam =
            registry.ReadString("Software\\Valve\\Steam", "InstallPath")) {
      SearchSteam(*steam, nullptr);
    }
  }

  void SearchPrefix(const Prefix& prefix) {
    const std::string source = "the registry of Wine prefix " + prefix.folder();
    for (const char* file : {"system.reg", "user.reg"}) {
      const std::optional<std::string> text = ReadText(Join(prefix.folder(), file));
      if (!text) continue;
      const std::vector<WineRegistryValue> values = ParseWineRegistry(*text);
      for (GameId game : kAllGames) {
        if (Game(game).installKey.empty()) continue;
        const std::string key(Game(game).installKey);
        const std::string wow64 = std::string(kWow64Node) + key.substr(key.find('\\') + 1);
        for (const std::string& candidate : {key, wow64}) {
          const std::optional<std::string> windowsPath =
              FindWineRegistryString(values, candidate, kInstallPathValue);
          if (!windowsPath) continue;
          if (const std::optional<std::string> folder = prefix.Map(*windowsPath)) {
            Check(game, *folder, source, &prefix);
          }
        }
      }
    }
    for (std::string_view steam : kUsualSteamFolders) {
      if (const std::optional<std::string> folder = prefix.Map(steam))
        SearchSteam(*folder, &prefix);
    }
    for (std::string_view parent : kUsualParents) {
      if (const std::optional<std::string> folder = prefix.Map(parent)) {
        ScanBelow(*folder,
                  "usual folder " + std::string(parent) + " of Wine prefix " + prefix.folder(),
                  &prefix);
      }
    }
  }

  // Steam's own folder and every library its list names; in a prefix the list holds
  // Windows paths.
  void SearchSteam(const std::string& steam, const Prefix* prefix) {
    std::vector<std::string> libraries = {steam};
    if (const std::optional<std::string> text =
            ReadText(Join(Join(steam, "steamapps"), "libraryfolders.vdf"))) {
      for (const std::string& library : ParseSteamLibraryFolders(*text)) {
        const std::optional<std::string> folder =
            prefix != nullptr ? prefix->Map(library) : library;
        if (folder) libraries.push_back(*folder);
      }
    }
    for (const std::string& library : libraries) {
      const std::optional<std::string> common = ResolveBelow(library, "steamapps\\common");
      if (!common) continue;
      for (const std::string& child : Subfolders(*common)) {
        // A native Steam runs each game through Proton, in a prefix of the game's own.
        const std::optional<Prefix> proton =
            prefix != nullptr ? std::nullopt : ProtonPrefix(library, child);
        const Prefix* runsIn = proton ? &*proton : prefix;
        const std::string folder = Join(*common, child);
        const std::string source = "Steam library " + library;
        CheckAll(folder, source, runsIn);
        for (const std::string& grandchild : Subfolders(folder)) {
          CheckAll(Join(folder, grandchild), source, runsIn);
        }
      }
    }
  }

  // The Proton prefix of the game installed in steamapps/common/`installDir`, when its
  // manifest names it and the prefix exists.
  static std::optional<Prefix> ProtonPrefix(const std::string& library,
                                            const std::string& installDir) {
    const std::string steamapps = Join(library, "steamapps");
    for (const platform::FoundEntry& entry :
         platform::Files().Find(Join(steamapps, "appmanifest_*.acf"))) {
      const std::optional<std::string> text = ReadText(Join(steamapps, entry.name));
      const std::optional<SteamAppManifest> manifest =
          text ? ParseSteamAppManifest(*text) : std::nullopt;
      if (!manifest || !platform::NamesEqual(manifest->installDir, installDir)) continue;
      const std::string folder = Join(Join(Join(steamapps, "compatdata"), manifest->appId), "pfx");
      if (platform::Files().Kind(folder) == platform::PathKind::Folder) return Prefix(folder);
    }
    return std::nullopt;
  }

  std::vector<GameLocation> found_;
  std::vector<std::string> identities_;  // the real path of each folder found
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

SearchPlaces WindowsSearchPlaces(platform::SettingsStore& registry) {
  SearchPlaces places;
  places.systemRegistry = &registry;
  places.steamFolders.assign(kUsualSteamFolders.begin(), kUsualSteamFolders.end());
  places.installParents.assign(kUsualParents.begin(), kUsualParents.end());
  return places;
}

SearchPlaces WineSearchPlaces(const std::vector<std::string>& givenPrefixes) {
  SearchPlaces places;
  places.winePrefixes = givenPrefixes;
  const std::string home = Environment("HOME");
  std::vector<std::string> usual;
  if (const std::string prefix = Environment("WINEPREFIX"); !prefix.empty())
    usual.push_back(prefix);
  if (!home.empty()) usual.push_back(home + "/.wine");
  for (const std::string& prefix : usual) {
    bool given = false;
    for (const std::string& other : places.winePrefixes) given = given || other == prefix;
    if (!given) places.winePrefixes.push_back(prefix);
  }
  if (!home.empty()) {
    places.steamFolders = {home + "/.steam/steam", home + "/.local/share/Steam",
                           home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam"};
    places.installParents = {home + "/GOG Games", home + "/Games"};
  }
  return places;
}

std::vector<GameLocation> FindGames(const SearchPlaces& places) { return Search().Run(places); }

}  // namespace vantrel
