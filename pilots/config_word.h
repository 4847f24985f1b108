// The games' configuration files (CONFIG.CFG of X-Wing Alliance, config.cfg and
// config2.cfg of X-Wing vs. TIE Fighter and Balance of Power) begin with "lastpilot " and
// the name of the pilot the game starts with. Reading that name is shared by the roster
// and by the search for the pilot who flew a battle.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The first line's ten characters before the name: nine letters and one blank.
inline constexpr std::string_view kLastPilotPrefix = "lastpilot ";

// The word after the first ten characters of the file, ending at the first blank, tab
// or line end or at the end of the file; empty when the file is shorter. Empty optional
// when the file cannot be opened or read.
std::optional<std::string> ReadLastPilotWord(const std::string& configPath);

}  // namespace vantrel
