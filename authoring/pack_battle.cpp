#include "authoring/pack_battle.h"

#include <algorithm>
#include <map>
#include <random>
#include <string_view>

#include "battle/battle_list_writer.h"
#include "battle/mission_cipher.h"
#include "battle/mission_folders.h"
#include "package/package_writer.h"
#include "platform/file_helpers.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/system_error.h"
#include "platform/western_text.h"

namespace vantrel {
namespace {

// 1980-01-01 00:00:00, the first time a ZIP entry can carry; used for a file whose own
// time cannot be read or stored.
constexpr std::uint32_t kEarliestDosTime = (1 << 5 | 1) << 16;

constexpr std::size_t kReadBlock = 64 * 1024;

struct Item {
  std::string relative;  // below the folder, '\' between its parts
  bool isFolder = false;
  std::uint32_t dosTime = kEarliestDosTime;
  bool isMission = false;
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string Join(const std::string& folder, std::string_view relative) {
  if (relative.empty()) return folder;
  if (!folder.empty() && IsSeparator(folder.back())) return folder + std::string(relative);
  return folder + "\\" + std::string(relative);
}

// The path in one form for comparing: absolute, one kind of separator, letter case folded.
std::string ComparableForm(const std::string& path) {
  std::string absolute = path;
  const bool isAbsolute =
      (!path.empty() && IsSeparator(path[0])) || (path.size() > 1 && path[1] == ':');
  if (!isAbsolute) absolute = Join(platform::Files().CurrentFolder(), path);
  std::string form;
  for (char c : absolute) {
    const char unified = c == '/' ? '\\' : c;
    if (unified == '\\' && !form.empty() && form.back() == '\\') continue;
    form += unified;
  }
  while (form.size() > 1 && form.back() == '\\') form.pop_back();
  return platform::FoldCase(form);
}

bool HasTieExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && platform::NamesEqual(name.substr(dot + 1), "tie");
}

std::uint32_t DosTimeOf(const std::string& path) {
  const std::optional<platform::FileTimes> times = platform::Files().GetTimes(path);
  if (!times || !times->lastWrite) return kEarliestDosTime;
  return platform::FileTimeToLocalDosDateTime(*times->lastWrite).value_or(kEarliestDosTime);
}

// Why a name cannot travel in a package, or nothing.
std::optional<std::string> NameProblem(const std::string& name) {
  if (!platform::Utf8ToWestern(name)) return "is not written in the Windows Western code page";
  if (platform::IsDeviceName(name)) return "is a device name on Windows";
  for (unsigned char c : name) {
    if (c < 0x20 ||
        std::string_view("*?\"<>|:").find(static_cast<char>(c)) != std::string_view::npos) {
      return "holds a character Windows does not allow in a file name";
    }
  }
  if (!IsPlainFileName(name)) return "is not a file name Windows can hold";
  if (name.back() == '.' || name.back() == ' ')
    return "ends with a dot or a blank, which Windows drops";
  return std::nullopt;
}

class Packer {
 public:
  explicit Packer(const PackRequest& request) : request_(request) {}

  PackResult Run() {
    if (Check() && Write()) result_.packed = true;
    return std::move(result_);
  }

 private:
  bool Refuse(std::string reason) {
    result_.refusal = std::move(reason);
    return false;
  }

  bool Check() {
    const std::optional<std::string> name = platform::Utf8ToWestern(request_.name);
    if (request_.name.empty()) return Refuse("the battle needs a name");
    if (!name || name->size() > kMaxBattleNameLength) {
      return Refuse("the name \"" + request_.name +
                    "\" does not fit the battle list's 50 characters of the Windows Western "
                    "code page");
    }
    if (std::any_of(name->begin(), name->end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      return Refuse("the name holds a control character");
    }
    if (platform::Files().Kind(request_.folder) != platform::PathKind::Folder) {
      return Refuse("no folder " + request_.folder);
    }
    if (platform::Files().Kind(request_.output) == platform::PathKind::Folder) {
      return Refuse("the output " + request_.output + " is a folder");
    }
    if (!platform::PathFitsLimit(PartialOutput())) {
      return Refuse("the output path is longer than 259 characters");
    }
    excluded_ = {ComparableForm(request_.output), ComparableForm(PartialOutput())};
    return Walk({}) && CheckNames() && ChooseMissions() && ChooseKey();
  }

  // Every file and folder below the folder, in the order a directory search gives them.
  bool Walk(const std::string& relative) {
    const std::string folder = Join(request_.folder, relative);
    for (const platform::FoundEntry& entry : platform::Files().Find(Join(folder, "*"))) {
      if (entry.name == "." || entry.name == "..") continue;
      Item item;
      item.relative = relative.empty() ? entry.name : relative + "\\" + entry.name;
      const std::string path = Join(request_.folder, item.relative);
      if (!entry.isFolder && std::count(excluded_.begin(), excluded_.end(), ComparableForm(path))) {
        continue;
      }
      if (relative.empty() && !entry.isFolder &&
          platform::NamesEqual(entry.name, kMissionOrderFile)) {
        orderFile_ = path;
        continue;
      }
      if (!platform::PathFitsLimit(path))
        return Refuse(item.relative + ": the path is longer than 259 characters");
      item.isFolder = entry.isFolder;
      item.dosTime = DosTimeOf(path);
      items_.push_back(item);
      if (entry.isFolder && !Walk(item.relative)) return false;
    }
    return true;
  }

  bool CheckNames() {
    std::map<std::string, std::string> byFoldedName;
    for (const Item& item : items_) {
      const std::string_view name = platform::FileNamePart(item.relative);
      if (const std::optional<std::string> problem = NameProblem(std::string(name))) {
        return Refuse(item.relative + " " + *problem);
      }
      const auto [at, added] =
          byFoldedName.emplace(platform::FoldCase(item.relative), item.relative);
      if (!added) {
        return Refuse(
            at->second + " and " + item.relative +
            " differ only in letter case; unpacked on Windows one would replace the other");
      }
      if (item.relative.find('\\') == std::string::npos &&
          platform::NamesEqual(name, "battle.kzb")) {
        return Refuse(item.relative +
                      ": the folder holds a battle list already; pack writes its own");
      }
    }
    return true;
  }

  // The top-level "*.tie" files are the missions, in the order of missions.txt or of the
  // folder.
  bool ChooseMissions() {
    std::vector<Item*> found;
    for (Item& item : items_) {
      if (!item.isFolder && item.relative.find('\\') == std::string::npos &&
          HasTieExtension(item.relative)) {
        found.push_back(&item);
      }
    }
    std::vector<Item*> ordered = found;
    if (orderFile_) {
      std::optional<std::vector<Item*>> listed = ReadOrder(found);
      if (!listed) return false;
      ordered = *listed;
    }
    if (ordered.empty()) return Refuse("the folder holds no missions (*.tie files)");
    if (ordered.size() > kMaxMissions) {
      return Refuse("the folder holds " + std::to_string(ordered.size()) +
                    " missions; a battle list holds at most 255");
    }
    for (Item* mission : ordered) {
      const std::optional<std::string> bytes = platform::Utf8ToWestern(mission->relative);
      if (!bytes || bytes->size() > kMaxMissionNameLength) {
        return Refuse("the mission name " + mission->relative + " is longer than 20 characters");
      }
      mission->isMission = true;
      result_.missions.push_back(mission->relative);
    }
    return true;
  }

  // The missions in the order missions.txt names them: one file name a line; blank lines
  // and lines starting with '#' are skipped.
  std::optional<std::vector<Item*>> ReadOrder(const std::vector<Item*>& found) {
    const platform::WholeFile file = platform::ReadWholeFile(*orderFile_);
    if (file.status != platform::WholeFile::Status::Read) {
      Refuse("cannot read " + std::string(kMissionOrderFile));
      return std::nullopt;
    }
    const std::string text = platform::WesternToUtf8(file.bytes);

    std::vector<Item*> ordered;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      start = end + 1;
      const std::size_t first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos || line[first] == '#') continue;
      line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
      const auto match = std::find_if(found.begin(), found.end(), [&](const Item* item) {
        return platform::NamesEqual(item->relative, line);
      });
      if (match == found.end()) {
        Refuse(std::string(kMissionOrderFile) + " names " + line +
               ", which is not a *.tie file of the folder");
        return std::nullopt;
      }
      if (std::find(ordered.begin(), ordered.end(), *match) != ordered.end()) {
        Refuse(std::string(kMissionOrderFile) + " names " + line + " twice");
        return std::nullopt;
      }
      ordered.push_back(*match);
    }
    for (const Item* item : found) {
      if (std::find(ordered.begin(), ordered.end(), item) == ordered.end()) {
        Refuse(item->relative + " is not named in " + kMissionOrderFile +
               "; the battle list would not name it, so no game would see it");
        return std::nullopt;
      }
    }
    return ordered;
  }

  bool ChooseKey() {
    if (request_.key) {
      result_.key = *request_.key;
    } else {
      std::random_device source;
      result_.key = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(source));
    }
    return true;
  }

  std::string PartialOutput() const { return request_.output + ".part"; }

  // The package is written beside its place and renamed into it only when whole, so a
  // failure never leaves a broken package under the name asked for.
  bool Write() {
    BattleList list;
    list.game = static_cast<std::uint8_t>(Index(request_.game));
    list.missionKey = result_.key;
    list.name = request_.name;
    list.missions = result_.missions;
    const std::optional<std::string> listBytes = BattleListBytes(list);
    if (!listBytes) return Refuse("the battle list cannot hold these names");

    // The battle list is as new as the newest mission.
    std::uint32_t listTime = kEarliestDosTime;
    for (const Item& item : items_) {
      if (item.isMission) listTime = std::max(listTime, item.dosTime);
    }

    const std::string partial = PartialOutput();
    bool written = false;
    platform::ClearLastFailure();
    {
      PackageWriter writer;
      written = writer.Create(partial) && writer.Add("battle.kzb", *listBytes, listTime);
      for (const Item& item : items_) {
        if (!written) break;
        written = AddItem(writer, item);
      }
      written = writer.Finish() && written;
    }
    platform::FileSystem& files = platform::Files();
    if (!written || !files.MoveFile(partial, request_.output)) {
      // The system's reason, as the writing met it: removing the part written may fail too.
      const std::optional<platform::Failure> cause = platform::LastFailure();
      files.DeleteFile(partial);
      return Refuse("cannot write " + request_.output + (cause ? ": " + cause->cause.text : ""));
    }
    result_.entries = items_.size() + 1;
    return true;
  }

  bool AddItem(PackageWriter& writer, const Item& item) {
    std::string stored = *platform::Utf8ToWestern(item.relative);
    std::replace(stored.begin(), stored.end(), '\\', '/');
    if (item.isFolder) return writer.AddFolder(stored + "/", item.dosTime);

    auto file =
        platform::Files().Open(Join(request_.folder, item.relative), platform::OpenMode::Read);
    if (!file || !writer.BeginEntry(stored, item.dosTime)) return false;
    std::vector<unsigned char> block(kReadBlock);
    bool copied = true;
    while (true) {
      const std::int64_t count = file->Read(block.data(), block.size());
      if (count == 0) break;
      if (count < 0) {
        copied = false;
        break;
      }
      if (item.isMission)
        ApplyMissionKey(block.data(), static_cast<std::size_t>(count), result_.key);
      if (!writer.Write(block.data(), static_cast<std::size_t>(count))) {
        copied = false;
        break;
      }
    }
    return writer.EndEntry() && copied;
  }

  const PackRequest& request_;
  PackResult result_;
  std::vector<Item> items_;
  std::optional<std::string> orderFile_;
  std::vector<std::string> excluded_;
};

}  // namespace

PackResult PackBattle(const PackRequest& request) { return Packer(request).Run(); }

}  // namespace vantrel
