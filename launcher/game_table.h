// The four games the launcher serves, and everything that differs between them: names,
// settings keys, the executable that gates each game button, the main window's and the
// Directories dialog's controls, and the messages of the play sequence. Every other part
// of the launcher takes a GameId and looks up what it needs here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

struct GameInfo {
  // Names and settings.
  std::string_view name;               // "TIE Fighter 95"
  std::string_view menuShortName;      // "TIE", as in the Game menu
  std::string_view registrySubKey;     // "TIE", below the launcher's key
  std::string_view presenceExecutable; // "\TIE95.exe", appended to the game folder
  std::string_view directoriesCaption; // caption of the game's frame in Directories

  // The main window and the Directories dialog.
  int button;                // game button id
  int buttonBitmap;          // bitmap resource on that button
  std::string_view tooltip;  // tooltip of the button
  int tooltipId;             // its tool id
  int installedBattleLabel;  // "Currently Installed Battle:" label below the button
  int directoriesField;      // folder field in Directories
  int directoriesBrowse;     // its Browse button

  // Messages of the play sequence, shown titled "VNTL" with the exclamation icon.
  std::string_view wrongVersionMessage;
  std::string_view backupFailedMessage;
  std::string_view patchFailedMessage;
};

const GameInfo& Game(GameId game);

// The names `vantrel` accepts for a game: the settings sub-key in any letter case
// ("tie", "XVT") or the number 0 to 3.
std::optional<GameId> ParseGameName(std::string_view text);

// The lower-case short name `vantrel` prints for a game ("tie", "xvt", "bop", "xwa").
std::string_view CommandLineName(GameId game);

}  // namespace vantrel
