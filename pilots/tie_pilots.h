// Finding the pilot who flew a TIE Fighter 95 battle. The game names no last pilot
// anywhere, so the launcher stamps every pilot file ("*.tfr") with the time the game
// starts; afterwards, a file whose last-write minute differs from that time's minute has
// been written by the game, and is the pilot's.
#pragma once

#include <optional>
#include <string>

#include "core/game_table.h"
#include "platform/file_system.h"
#include "ui/window.h"

namespace vantrel {

// Sets the last-write time of every "*.tfr" file in the game's folder to `t`, leaving its
// other times. With none there, the message "no pilots" (title " ", owned by the main
// window).
void StampTiePilots(ui::Window& mainWindow, GameId game, platform::FileTime t);

// The name (as the folder search gives it) of the last pilot file, in search order,
// whose last-write minute (UTC) differs from the minute of `t`; empty optional when there
// is none. A name of 20 characters or more counts as no pilot. With no "*.tfr" file at
// all, the message "no pilots" (title " ", no owner).
std::optional<std::string> FindFlownTiePilot(platform::FileTime t);

// The minute within its hour (0 to 59, UTC) of a file time.
unsigned MinuteOf(platform::FileTime t);

}  // namespace vantrel
