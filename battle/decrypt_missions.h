// Putting a staged battle's missions where the game looks for them: before a game is
// started from the launcher, each enciphered mission named in the game's battle list is
// deciphered into the game's mission folder, under the STATUS progress window. The
// staging folder is never changed, so a battle can be played any number of times.
#pragma once

#include <functional>
#include <string>

#include "core/game_table.h"
#include "ui/status_line.h"
#include "ui/window.h"

namespace vantrel {

// Told the file name of each plain mission before it is written, so that the play can
// record it; answering false stops the decryption as a mission that cannot be written.
// The missions are written on several threads: it is called from any of them, one call
// at a time, and must not touch the user interface.
using BeforeWritingMission = std::function<bool(const std::string& name)>;

// True when every listed mission has its plain copy in the mission folder. A failure has
// been shown in a message box owned by `mainWindow` before this returns; `status` then
// keeps "Decrypting missions...", and the plain missions this call wrote are gone again,
// so a failed decryption leaves no battle half in place.
bool DecryptMissions(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                     const BeforeWritingMission& beforeWriting = {});

}  // namespace vantrel
