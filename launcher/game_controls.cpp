// The games' controls as data. The texts are the launcher's own, spelling included
// ("Press to start TIE Figher '95").
#include "launcher/game_controls.h"

#include <array>

#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

constexpr std::array<GameControls, 4> kControls = {{
    {1052, 133, "Press to start TIE Figher '95", 4, IDC_BATTLE_TIE,
     "Your TIE Fighter 95 Directory:", 1046, 1036},
    {1053, 120, "Press to start X-wing vs TIE Fighter", 5, IDC_BATTLE_XVT,
     "Your X-wing vs TIE Fighter Directory:", 1047, 1037},
    {1054, 130, "Press to start Balance of Power", 6, IDC_BATTLE_BOP,
     "Your Balance of Power Directory:", 1048, 1038},
    {1055, 132, "Press to start X-wing Alliance", 7, IDC_BATTLE_XWA,
     "Your X-wing Alliance Directory:", 1049, 1039},
}};

}  // namespace

const GameControls& Controls(GameId game) { return kControls[Index(game)]; }

}  // namespace vantrel
