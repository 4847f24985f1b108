// The games' controls as data, in GameId order. The texts are the launcher's own, spelling
// included ("Press to start TIE Figher '95").
#include "launcher/game_controls.h"

#include <array>

#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

constexpr std::array<GameControls, 4> kControls = {{
    {IDC_BUTTON_TIE, IDB_BUTTON_TIE, "Press to start TIE Figher '95", 4, IDC_BATTLE_TIE,
     "Your TIE Fighter 95 Directory:", IDC_FOLDER_TIE, IDC_BROWSE_TIE},
    {IDC_BUTTON_XVT, IDB_BUTTON_XVT, "Press to start X-wing vs TIE Fighter", 5, IDC_BATTLE_XVT,
     "Your X-wing vs TIE Fighter Directory:", IDC_FOLDER_XVT, IDC_BROWSE_XVT},
    {IDC_BUTTON_BOP, IDB_BUTTON_BOP, "Press to start Balance of Power", 6, IDC_BATTLE_BOP,
     "Your Balance of Power Directory:", IDC_FOLDER_BOP, IDC_BROWSE_BOP},
    {IDC_BUTTON_XWA, IDB_BUTTON_XWA, "Press to start X-wing Alliance", 7, IDC_BATTLE_XWA,
     "Your X-wing Alliance Directory:", IDC_FOLDER_XWA, IDC_BROWSE_XWA},
}};

template <int GameControls::*member>
std::optional<GameId> FindGame(int id) {
  for (GameId game : kAllGames) {
    if (kControls[Index(game)].*member == id) return game;
  }
  return std::nullopt;
}

}  // namespace

const GameControls& Controls(GameId game) { return kControls[Index(game)]; }

std::optional<GameId> GameOfButton(int id) { return FindGame<&GameControls::button>(id); }

std::optional<GameId> GameOfBrowseButton(int id) {
  return FindGame<&GameControls::directoriesBrowse>(id);
}

}  // namespace vantrel
