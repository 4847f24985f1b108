// Deciphering the staged missions into the game's mission folder, the missions shared
// out among the cores. The order of the messages, the status texts and the progress
// window is what a player sees, and it is that of deciphering the missions one after
// another: only the calling thread touches the window. Every failure is reported while
// the progress window is still up, and only then are the plain missions deleted and the
// window closed.
#include "battle/decrypt_missions.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "battle/battle_list.h"
#include "battle/mission_cipher.h"
#include "battle/mission_folders.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/system_error.h"
#include "platform/worker_pool.h"

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

// What kind of failure stopped a mission, which decides the message. A mission that
// stopped for no known cause (its job threw) could not be written.
enum class MissionError : unsigned char { Write, Read };

// The plain missions written by this call, one place per mission of the list, each
// filled by the worker that wrote that mission; unless the decryption comes to its end,
// they are deleted again when it returns.
class WrittenMissions {
 public:
  explicit WrittenMissions(std::size_t count) : paths_(count) {}
  ~WrittenMissions() {
    for (const std::string& path : paths_) {
      if (!path.empty()) platform::Files().DeleteFile(path);
    }
  }
  WrittenMissions(const WrittenMissions&) = delete;
  WrittenMissions& operator=(const WrittenMissions&) = delete;

  void Add(std::size_t mission, const std::string& path) { paths_[mission] = path; }
  void Keep() { paths_.clear(); }

 private:
  std::vector<std::string> paths_;
};

// For each mission, whether an earlier mission of the list has the same name in any
// letter case. Both would be the same file, written from the same source; it is written
// once, by the first, so that no two workers ever write one file.
std::vector<bool> RepeatedNames(const std::vector<std::string>& names) {
  std::vector<bool> repeated(names.size());
  std::unordered_set<std::string> seen;
  for (std::size_t i = 0; i < names.size(); ++i) {
    repeated[i] = !seen.insert(platform::FoldCase(names[i])).second;
  }
  return repeated;
}

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

  // The missions are deciphered on every core, each by one worker. What each worker
  // learns it keeps in its mission's own place.
  const std::size_t count = list.missions.size();
  const std::vector<bool> repeated = RepeatedNames(list.missions);
  std::vector<MissionError> errors(count, MissionError::Write);
  std::vector<std::optional<platform::Failure>> causes(count);
  WrittenMissions written(count);

  // The journal learns of the missions in list order before any of them is written, so
  // that whatever stops the play, the next one knows every plain mission to take away.
  // Once one cannot be recorded, neither it nor any after it is written.
  std::size_t recorded = count;
  std::optional<platform::Failure> journalFailure;
  if (beforeWriting) {
    for (std::size_t i = 0; i < count && recorded == count; ++i) {
      if (repeated[i] || !IsMissionName(list.missions[i])) continue;
      platform::ClearLastFailure();
      if (!beforeWriting(list.missions[i])) {
        recorded = i;
        journalFailure = platform::LastFailure();
      }
    }
  }

  const auto decipher = [&](std::size_t i) {
    const auto fail = [&](MissionError error) {
      errors[i] = error;
      causes[i] = platform::LastFailure();
      return false;
    };
    if (repeated[i]) return true;
    // A cause left by an earlier mission of this worker is no cause of this one's.
    platform::ClearLastFailure();
    const std::string& name = list.missions[i];

    // A name with a folder part would read or write outside the two folders, and one that
    // is not a "*.tie" mission could overwrite a file of the game's own; either is
    // refused as a mission that cannot be read, before anything is written for it.
    std::unique_ptr<platform::File> source;
    if (IsMissionName(name)) {
      source = files.Open(folders->staging + name, platform::OpenMode::Read);
    }
    if (!source) return fail(MissionError::Read);
    if (i >= recorded) {
      errors[i] = MissionError::Write;
      causes[i] = journalFailure;
      return false;
    }
    const std::string targetPath = folders->missions + name;
    const std::unique_ptr<platform::File> target =
        files.Open(targetPath, platform::OpenMode::CreateAlways);
    if (!target) return fail(MissionError::Write);

    // A mission cut short would load in the game as if it were whole; it goes with the
    // others once the decryption has failed.
    written.Add(i, targetPath);
    const CipherCopy copy = CopyWithMissionKey(*source, *target, list.missionKey);
    if (copy == CipherCopy::ReadFailed) return fail(MissionError::Read);
    if (copy == CipherCopy::WriteFailed) return fail(MissionError::Write);
    return true;
  };
  // The bar stands at mission i's share while mission i is under way: it moves on as the
  // missions before the next one have all been written, as if they were written in turn.
  if (count > 0) progressWindow->SetProgress(ProgressOf(0, count));
  const platform::JobsRun run = platform::RunJobs(count, decipher, [&](std::size_t i) {
    if (i + 1 < count) progressWindow->SetProgress(ProgressOf(i + 1, count));
  });

  // The first mission of the list that failed is the one reported, as one worker going
  // through the list in turn would have met it; the missions after it may have been
  // written meanwhile, and go with the others.
  if (run.firstFailure) {
    const std::size_t failed = *run.firstFailure;
    if (causes[failed]) platform::RecordFailure(*causes[failed]);
    ui::ShowVntlMessage(&mainWindow,
                        errors[failed] == MissionError::Read ? kReadError : kWriteError);
    return false;
  }

  written.Keep();
  battleListFile.reset();
  progressWindow.reset();
  status.SetText("Idle");
  return true;
}

}  // namespace vantrel
