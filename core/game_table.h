// The four games the launcher serves, and every fact that differs between them, one row
// per game: names, the settings key, the executable and its release, where the game's
// installer records its folder, the folders and files the game reads, where its pilots
// live and where their seal goes, and the messages of the play sequence. Code takes a
// GameId and looks up what it needs here instead of asking which game it is. The controls
// of the launcher's windows are not facts of a game; they stand with those windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vantrel {

// The game as the battle list stores it, in one byte.
enum class GameId : std::uint8_t {
  TieFighter = 0,
  XwingVsTie = 1,
  BalanceOfPower = 2,
  XwingAlliance = 3,
};

inline constexpr std::array<GameId, 4> kAllGames = {
    GameId::TieFighter, GameId::XwingVsTie, GameId::BalanceOfPower, GameId::XwingAlliance};

constexpr unsigned Index(GameId game) { return static_cast<unsigned>(game); }

// The game a battle list's first byte names; empty for bytes above 3.
std::optional<GameId> GameFromByte(std::uint8_t byte);

// A file a game reads from one of its own folders rather than from its missions, moved
// there out of an unpacked battle package.
struct StagingStep {
  enum class Kind {
    EveryMatch,  // move every entry the search returns; none found ends staging
    FirstMatch,  // move the first entry the search returns; none found does nothing
  };
  std::string_view pattern;
  Kind kind;
  std::string_view destination;  // appended to the game folder; ends with a backslash
};

// Where a pilot file is sealed after a battle: the seal is computed from the bytes at
// `a` and `b` and a name byte N, and written at `seal`.
struct SealPlaces {
  std::uint64_t a;
  std::uint64_t b;
  std::uint64_t seal;
  // N is the byte at offset 1 of the file (the second character of the stored name);
  // otherwise it is the second character of the pilot file's name.
  bool nameByteInFile;
};

struct GameInfo {
  std::string_view name;           // "TIE Fighter 95"
  std::string_view menuShortName;  // "TIE", as in the Game menu
  std::string_view registrySubKey; // "TIE", the game's settings key below the launcher's
  std::string_view commandLineName;  // "tie", as `vantrel` prints it

  // The executable, appended to the game folder, and the exact size of the release the
  // patches were made for: X-Wing vs. TIE Fighter and Balance of Power share a name and
  // differ only in size.
  std::string_view executable;
  std::uint64_t releaseSize;
  // The identification shows the executable's full path first (TIE Fighter 95 does).
  bool showsExecutablePath;
  std::string_view launchArgument;  // "skipintro", or empty for none

  // Where the game's installer names its folder: a key below HKEY_LOCAL_MACHINE whose
  // value "Install Path" holds it. Balance of Power has no key of its own: it lives in the
  // folder "BalanceOfPower" inside X-Wing vs. TIE Fighter's.
  std::string_view installKey;
  // The release the patches fit, as players name it: "X-Wing vs. TIE Fighter 1.14".
  std::string_view releaseName;

  // The folder the game loads missions from, between backslashes ("\MISSION\").
  std::string_view missionFolder;
  std::span<const StagingStep> stagingSteps;

  // The configuration file that names the last pilot ("\config.cfg"), empty for a game
  // that names none; the pilot files (a search pattern in the game folder, and what
  // follows a pilot's name in its file name); and where a pilot file is sealed.
  std::string_view configFile;
  std::string_view pilotFiles;       // "*.plt"
  std::string_view pilotFileSuffix;  // "0.plt"
  SealPlaces seal;

  // Messages of the play sequence, shown titled "VNTL" with the exclamation icon.
  std::string_view wrongVersionMessage;
  std::string_view backupFailedMessage;
  std::string_view patchFailedMessage;
};

const GameInfo& Game(GameId game);

// The names `vantrel` accepts for a game: the settings sub-key in any letter case
// ("tie", "XVT") or the number 0 to 3.
std::optional<GameId> ParseGameName(std::string_view text);

}  // namespace vantrel
