// The controls that stand for each game in the launcher's windows: its button on the main
// window with the button's bitmap and tooltip, the "Currently Installed Battle:" label
// below it, and its frame, field and Browse button in the Directories dialog. These are
// facts of the windows, not of the games, so they live here beside the windows rather
// than in the game table.
#pragma once

#include <string_view>

#include "core/game_table.h"

namespace vantrel {

struct GameControls {
  // The main window.
  int button;                // game button id
  int buttonBitmap;          // bitmap resource on that button
  std::string_view tooltip;  // tooltip of the button
  int tooltipId;             // its tool id
  int installedBattleLabel;  // "Currently Installed Battle:" label below the button

  // The Directories dialog.
  std::string_view directoriesCaption;  // caption of the game's frame
  int directoriesField;                 // folder field
  int directoriesBrowse;                // its Browse button
};

const GameControls& Controls(GameId game);

}  // namespace vantrel
