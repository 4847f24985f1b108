// The launcher's windows as they differ per game: the main window's game button with its
// bitmap and tooltip, the "Currently Installed Battle:" label under it, and the game's
// frame in the Directories dialog. The game table says what a game is; this table says
// where the game shows on the screen.
#pragma once

#include <optional>
#include <string_view>

#include "launcher/game_table.h"

namespace vantrel {

struct GameControls {
  int button;                           // main window's game button
  int buttonBitmap;                     // bitmap resource on that button
  std::string_view tooltip;             // tooltip of the button
  int tooltipId;                        // its tool id
  int installedBattleLabel;             // label under the button
  int directoriesField;                 // folder field in Directories
  int directoriesBrowse;                // its Browse button
  std::string_view directoriesCaption;  // caption of the game's frame in Directories
};

const GameControls& Controls(GameId game);

// The game whose main-window button, or whose Browse button in Directories, is `id`.
std::optional<GameId> GameOfButton(int id);
std::optional<GameId> GameOfBrowseButton(int id);

}  // namespace vantrel
