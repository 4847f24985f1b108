// The game table as data. The texts are the launcher's own, spelling included
// ("Balance of Powerexecutable!"): players and battle authors know them.
#include "core/game_table.h"

#include "platform/path.h"

namespace vantrel {
namespace {

using Step = StagingStep;

// The files each game reads from its own folders, in the order they are moved.
constexpr std::array<Step, 1> kTieSteps = {{{"*.lfd", Step::Kind::EveryMatch, "\\RESOURCE\\"}}};
constexpr std::array<Step, 1> kXvtSteps = {{{"*.lst", Step::Kind::FirstMatch, "\\TRAIN\\"}}};
constexpr std::array<Step, 3> kXwaSteps = {{
    {"email.txt", Step::Kind::FirstMatch, "\\MISSIONS\\"},
    {"mission.lst", Step::Kind::FirstMatch, "\\MISSIONS\\"},
    {"*.plt", Step::Kind::FirstMatch, "\\"},
}};

constexpr std::array<GameInfo, 4> kGames = {{
    {
        .name = "TIE Fighter 95",
        .menuShortName = "TIE",
        .registrySubKey = "TIE",
        .commandLineName = "tie",
        .executable = "\\TIE95.EXE",
        .releaseSize = 1'071'616,  // 0x105A00
        .showsExecutablePath = true,
        .launchArgument = "",
        .installKey = "Software\\LucasArts Entertainment Company LLC\\TIE95\\1.0",
        .releaseName = "TIE Fighter 95",
        .missionFolder = "\\MISSION\\",
        .stagingSteps = kTieSteps,
        .configFile = "",
        .pilotFiles = "*.tfr",
        .pilotFileSuffix = "",
        .seal = {0x0660, 0x0668, 0x0E73, false},
        .wrongVersionMessage = "This is not the TIE95 executable!",
        .backupFailedMessage = "Error backing up TIE95 executable!",
        .patchFailedMessage = "Error writing to TIE95 executable!",
    },
    {
        .name = "X-Wing vs. TIE Fighter",
        .menuShortName = "XvT",
        .registrySubKey = "XVT",
        .commandLineName = "xvt",
        .executable = "\\Z_XVT__.EXE",
        .releaseSize = 1'422'336,  // 0x15B400, version 1.14
        .showsExecutablePath = false,
        .launchArgument = "skipintro",
        .installKey = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0",
        .releaseName = "X-Wing vs. TIE Fighter 1.14",
        .missionFolder = "\\TRAIN\\",
        .stagingSteps = kXvtSteps,
        .configFile = "\\config.cfg",
        .pilotFiles = "*.plt",
        .pilotFileSuffix = "0.plt",
        .seal = {0x127DA, 0x127EA, 0x109D, true},
        .wrongVersionMessage = "This is not X-wing vs TIE Fighter 1.14!",
        .backupFailedMessage = "Error backing up X-wing vs TIE Fighter executable!",
        .patchFailedMessage = "Error writing to X-wing vs TIE Fighter executable!",
    },
    {
        .name = "Balance of Power",
        .menuShortName = "BoP",
        .registrySubKey = "BOP",
        .commandLineName = "bop",
        .executable = "\\Z_XVT__.EXE",
        .releaseSize = 1'405'952,  // 0x157400, Balance of Power 2.0
        .showsExecutablePath = false,
        .launchArgument = "skipintro",
        .installKey = "",
        .releaseName = "Balance of Power 2.0",
        .missionFolder = "\\TRAIN\\",
        .stagingSteps = kXvtSteps,
        .configFile = "\\config2.cfg",
        .pilotFiles = "*.pl2",
        .pilotFileSuffix = "0.pl2",
        .seal = {0x14176, 0x14186, 0x109D, true},
        .wrongVersionMessage = "This is not Balance of Power 2.0!",
        .backupFailedMessage = "Error backing up Balance of Power executable!",
        .patchFailedMessage = "Error writing to Balance of Powerexecutable!",
    },
    {
        .name = "X-Wing Alliance",
        .menuShortName = "XWA",
        .registrySubKey = "XWA",
        .commandLineName = "xwa",
        .executable = "\\XWINGALLIANCE.EXE",
        .releaseSize = 2'151'936,  // 0x20D600, version 2.02
        .showsExecutablePath = false,
        .launchArgument = "",
        .installKey = "Software\\LucasArts Entertainment Company LLC\\X-Wing Alliance\\v1.0",
        .releaseName = "X-Wing Alliance 2.02",
        .missionFolder = "\\MISSIONS\\",
        .stagingSteps = kXwaSteps,
        .configFile = "\\config.cfg",
        .pilotFiles = "*.plt",
        .pilotFileSuffix = "0.plt",
        .seal = {0x1148A, 0x1149A, 0x1B3B9, true},
        .wrongVersionMessage = "This is not X-wing Alliance 2.02!",
        .backupFailedMessage = "Error backing up X-wing Alliance executable!",
        .patchFailedMessage = "Error writing to X-wing Alliance executable!",
    },
}};

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

}  // namespace vantrel
