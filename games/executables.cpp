// The size test that identifies a release.
#include "games/executables.h"

#include <memory>
#include <optional>
#include <string>

#include "core/settings.h"
#include "platform/file_system.h"
#include "ui/window.h"

namespace vantrel {

bool IdentifyGameExe(GameId game) {
  // A number that names no game (only a caller's mistake can make one) has no release.
  if (Index(game) >= kAllGames.size()) return false;
  const GameInfo& info = Game(game);
  const std::string path = GameExePath(game);
  if (info.showsExecutablePath) {
    ui::Ui().ShowMessage(nullptr, path, "", ui::Icon::None, ui::Buttons::Ok);
  }
  const std::unique_ptr<platform::File> file =
      platform::Files().Open(path, platform::OpenMode::Read);
  if (!file) return false;
  const std::optional<std::uint64_t> size = file->Size();
  return size && *size == info.releaseSize;
}

}  // namespace vantrel
