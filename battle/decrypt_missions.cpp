// Deciphering the staged missions into the game's mission folder. The order of the
// messages, the status texts and the progress window is what a player sees; every
// failure is reported while the progress window is still up, and only then are the
// files and the window closed.
#include "battle/decrypt_missions.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_list.h"
#include "battle/mission_cipher.h"
#include "battle/mission_folders.h"
#include "platform/file_system.h"

namespace vantrel {
namespace {

constexpr std::string_view kBattleListMissing = "Battle.kzb seems to have moved, put it back";
constexpr std::string_view kWrongGame = "This battle list is not for this game";
constexpr std::string_view kReadError = "Error reading the source mission!";
constexpr std::string_view kWriteError = "Error writing new mission!";

// The bar's position once mission i of n is under way: (i + 1) / n * 100 in floating
// point, cut toward zero, so three missions show 33, 66 and 100.
int ProgressOf(std::size_t i, std::size_t n) {
  return static_cast<int>(static_cast<double>(i + 1) / static_cast<double>(n) * 100.0);
}

// The plain missions written so far; unless the decryption comes to its end, they are
// deleted again when it returns.
class WrittenMissions {
 public:
  WrittenMissions() = default;
  ~WrittenMissions() {
    for (const std::string& path : paths_) platform::Files().DeleteFile(path);
  }
  WrittenMissions(const WrittenMissions&) = delete;
  WrittenMissions& operator=(const WrittenMissions&) = delete;

  void Add(const std::string& path) { paths_.push_back(path); }
  void Keep() { paths_.clear(); }

 private:
  std::vector<std::string> paths_;
};

}  // namespace

bool DecryptMissions(ui::Window& mainWindow, ui::StatusLine& status, GameId game,
                     const BeforeWritingMission& beforeWriting) {
  platform::FileSystem& files = platform::Files();
  const std::optional<MissionFolders> folders = FoldersOf(game);

  // The list is opened for updating although it is never written: a battle list that
  // cannot be written to counts as missing.
  std::unique_ptr<platform::File> battleListFile;
  if (folders) battleListFile = files.Open(folders->battleList, platform::OpenMode::ReadWrite);
  if (!battleListFile) {
    ui::ShowVntlMessage(&mainWindow, kBattleListMissing);
    return false;
  }
  const BattleList list = ReadBattleList(*battleListFile);
  if (list.game != Index(game)) {
    ui::ShowVntlMessage(&mainWindow, kWrongGame);
    return false;
  }

  status.SetText("Decrypting missions...");
  std::unique_ptr<ui::StatusWindow> progressWindow = ui::Ui().OpenStatusWindow(mainWindow);

  WrittenMissions written;
  const std::size_t count = list.missions.size();
  for (std::size_t i = 0; i < count; ++i) {
    progressWindow->SetProgress(ProgressOf(i, count));
    const std::string& name = list.missions[i];

    // A name with a folder part would read or write outside the two folders, and one that
    // is not a "*.tie" mission could overwrite a file of the game's own; either is
    // refused as a mission that cannot be read, before anything is written for it.
    std::unique_ptr<platform::File> source;
    if (IsMissionName(name)) {
      source = files.Open(folders->staging + name, platform::OpenMode::Read);
    }
    if (!source) {
      ui::ShowVntlMessage(&mainWindow, kReadError);
      return false;
    }
    const std::string targetPath = folders->missions + name;
    std::unique_ptr<platform::File> target;
    if (!beforeWriting || beforeWriting(name)) {
      target = files.Open(targetPath, platform::OpenMode::CreateAlways);
    }
    if (!target) {
      ui::ShowVntlMessage(&mainWindow, kWriteError);
      return false;
    }

    written.Add(targetPath);
    const CipherCopy copy = CopyWithMissionKey(*source, *target, list.missionKey);
    if (copy != CipherCopy::Done) {
      ui::ShowVntlMessage(&mainWindow, copy == CipherCopy::ReadFailed ? kReadError : kWriteError);
      // A mission cut short would load in the game as if it were whole; it goes with the
      // others once the files are closed.
      return false;
    }
  }

  written.Keep();
  battleListFile.reset();
  progressWindow.reset();
  status.SetText("Idle");
  return true;
}

}  // namespace vantrel
