// The game table as data. The texts are the launcher's own, spelling included
// ("TIE Figher '95", "Balance of Powerexecutable!"): players and battle authors know them.
#include "launcher/game_table.h"

#include "platform/path.h"

namespace vantrel {
namespace {

constexpr std::array<GameInfo, 4> kGames = {{
    {"TIE Fighter 95", "TIE", "TIE", "\\TIE95.exe", "Your TIE Fighter 95 Directory:",
     1052, 133, "Press to start TIE Figher '95", 4, 1062, 1046, 1036,
     "This is not the TIE95 executable!", "Error backing up TIE95 executable!",
     "Error writing to TIE95 executable!"},
    {"X-Wing vs. TIE Fighter", "XvT", "XVT", "\\Z_xvt__.exe",
     "Your X-wing vs TIE Fighter Directory:", 1053, 120,
     "Press to start X-wing vs TIE Fighter", 5, 1061, 1047, 1037,
     "This is not X-wing vs TIE Fighter 1.14!",
     "Error backing up X-wing vs TIE Fighter executable!",
     "Error writing to X-wing vs TIE Fighter executable!"},
    {"Balance of Power", "BoP", "BOP", "\\Z_xvt__.exe", "Your Balance of Power Directory:",
     1054, 130, "Press to start Balance of Power", 6, 1064, 1048, 1038,
     "This is not Balance of Power 2.0!", "Error backing up Balance of Power executable!",
     "Error writing to Balance of Powerexecutable!"},
    {"X-Wing Alliance", "XWA", "XWA", "\\Xwingalliance.exe", "Your X-wing Alliance Directory:",
     1055, 132, "Press to start X-wing Alliance", 7, 1063, 1049, 1039,
     "This is not X-wing Alliance 2.02!", "Error backing up X-wing Alliance executable!",
     "Error writing to X-wing Alliance executable!"},
}};

constexpr std::array<std::string_view, 4> kCommandLineNames = {"tie", "xvt", "bop", "xwa"};

}  // namespace

std::optional<GameId> GameFromByte(std::uint8_t byte) {
  if (byte > 3) return std::nullopt;
  return static_cast<GameId>(byte);
}

const GameInfo& Game(GameId game) { return kGames[Index(game)]; }

std::optional<GameId> ParseGameName(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '3') {
    return static_cast<GameId>(text[0] - '0');
  }
  for (GameId game : kAllGames) {
    if (platform::NamesEqual(text, Game(game).registrySubKey)) return game;
  }
  return std::nullopt;
}

std::string_view CommandLineName(GameId game) { return kCommandLineNames[Index(game)]; }

}  // namespace vantrel
