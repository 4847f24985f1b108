// The table of the four executables and the size test that identifies a release.
#include "games/executables.h"

#include <array>
#include <memory>
#include <optional>

#include "launcher/settings.h"
#include "platform/file_system.h"
#include "ui/window.h"

namespace vantrel {
namespace {

constexpr std::array<GameExecutable, 4> kExecutables = {{
    {"\\TIE95.EXE", 1'071'616},          // 0x105A00
    {"\\Z_XVT__.EXE", 1'422'336},        // 0x15B400, version 1.14
    {"\\Z_XVT__.EXE", 1'405'952},        // 0x157400, Balance of Power 2.0
    {"\\XWINGALLIANCE.EXE", 2'151'936},  // 0x20D600, version 2.02
}};

}  // namespace

const GameExecutable& Executable(GameId game) { return kExecutables[Index(game)]; }

std::string GameExePath(GameId game) {
  return ReadGameFolder(game) + std::string(Executable(game).name);
}

bool IdentifyGameExe(GameId game) {
  if (Index(game) >= kExecutables.size()) return false;
  const std::string path = GameExePath(game);
  if (game == GameId::TieFighter) {
    ui::Ui().ShowMessage(nullptr, path, "", ui::Icon::None, ui::Buttons::Ok);
  }
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(path, platform::OpenMode::Read);
  if (!file) return false;
  const std::optional<std::uint64_t> size = file->Size();
  return size && *size == Executable(game).releaseSize;
}

}  // namespace vantrel
