#include "authoring/package_report.h"

#include <map>

#include "battle/battle_list.h"
#include "battle/mission_folders.h"
#include "battle/staging_plan.h"
#include "package/entry_name.h"
#include "package/package_archive.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace vantrel {
namespace {

bool IsTopLevel(const std::string& name) { return name.find('\\') == std::string::npos; }

bool HasTieExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && platform::NamesEqual(name.substr(dot + 1), "tie");
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

class Inspector {
 public:
  explicit Inspector(const std::string& path) : path_(path) {}

  PackageReport Run() && {
    if (Unpack()) {
      FindCollisions();
      // A package that does not unpack whole is not staged at all: what the battle list
      // and staging would meet does not arise.
      if (unpackedWhole_) {
        ReadList();
        CheckMissions();
        Stage();
      }
    }
    return std::move(report_);
  }

 private:
  void Problem(std::string kind, std::string subject, std::string text) {
    report_.problems.push_back({std::move(kind), std::move(subject), std::move(text)});
  }

  // Walks the directory as the load's unpacking would: entries in order, until the first
  // one it cannot write, which ends the unpacking.
  bool Unpack() {
    if (platform::Files().Kind(path_) != platform::PathKind::File || !archive_.OpenPackage(path_)) {
      Problem("no-package", {},
              "cannot open " + path_ + " as a ZIP archive; a load would unpack nothing");
      return false;
    }
    report_.opened = true;
    if (archive_.GetEntryCount() == 0 || !archive_.GoToFirstEntry()) {
      Problem("empty-package", {}, "the package holds no entries; a load unpacks nothing");
      return true;
    }
    do {
      PackageEntryInfo info;
      if (!archive_.GetCurrentEntryInfo(info)) {
        Problem(
            "entry-unreadable", {},
            "an entry of the directory cannot be read; the load stops there and stages nothing");
        unpackedWhole_ = false;
        break;
      }
      InspectedEntry entry;
      entry.name = info.name;
      entry.isFolder = info.isFolder;
      entry.size = info.uncompressedSize;
      if (unpackedWhole_) unpackedWhole_ = ReadEntry(info, entry);
      report_.entries.push_back(std::move(entry));
    } while (archive_.GoToNextEntry());
    return true;
  }

  // True when the load goes on after this entry.
  bool ReadEntry(const PackageEntryInfo& info, InspectedEntry& entry) {
    const std::string later = "; the load stops there and stages nothing";
    if (info.isFolder) {
      entry.unpacked = true;
      return true;
    }
    if (!IsSafeEntryName(info.name)) {
      Problem("entry-refused", info.name,
              Quoted(info.name) + " would be written outside Temp, so the unpacking refuses it" +
                  later);
      return false;
    }
    const bool isBattleList =
        IsTopLevel(info.name) && platform::NamesEqual(info.name, "battle.kzb");
    std::string bytes;
    const std::optional<EntryDataProblem> problem =
        archive_.ReadCurrentEntry([&](std::string_view piece) {
          if (isBattleList && bytes.size() < kLongestBattleList) bytes.append(piece);
        });
    if (problem) {
      const bool crc = problem->kind == EntryDataProblem::Kind::CrcMismatch;
      Problem(crc ? "crc-error" : "entry-unreadable", info.name,
              Quoted(info.name) + " cannot be unpacked: " + problem->cause.text + later);
      return false;
    }
    entry.unpacked = true;
    // A later entry of the same name replaces the file of an earlier one.
    if (isBattleList) battleList_ = std::move(bytes);
    return true;
  }

  // On Windows two names that differ only in letter case are one file: the later entry
  // replaces the earlier one.
  void FindCollisions() {
    std::map<std::string, std::string> byFoldedName;
    for (const InspectedEntry& entry : report_.entries) {
      if (entry.isFolder) continue;
      const auto [at, added] = byFoldedName.emplace(platform::FoldCase(entry.name), entry.name);
      if (!added) {
        Problem("name-collision", entry.name,
                Quoted(at->second) + " and " + Quoted(entry.name) +
                    " are one file on Windows; the later replaces the earlier");
      }
    }
  }

  void ReadList() {
    if (!battleList_) {
      Problem("no-battle-list", {},
              "the package holds no battle list (battle.kzb); a load stages nothing");
      return;
    }
    report_.hasBattleList = true;
    const BattleList list = ParseBattleList(*battleList_);
    if (!list.game) {
      Problem("battle-list-short", "battle.kzb", "the battle list is empty; a load stages nothing");
      return;
    }
    report_.gameByte = list.game;
    report_.game = GameFromByte(*list.game);
    report_.battleName = list.name;
    report_.key = list.missionKey;
    report_.listedCount = list.listedCount;
    if (!report_.game) {
      Problem("unknown-game", "battle.kzb",
              "the battle list names game " + std::to_string(*list.game) +
                  ", not one of 0 to 3; a load stages nothing");
    }
    const std::size_t needed = kFirstMissionOffset + kMissionNameField * list.listedCount;
    if (battleList_->size() < needed) {
      Problem("battle-list-short", "battle.kzb",
              "the battle list is " + std::to_string(battleList_->size()) +
                  " bytes, too short for its " + std::to_string(list.listedCount) + " missions (" +
                  std::to_string(needed) +
                  " bytes); the game gets only the missions named before its end");
    }
    for (const std::string& name : list.missions) report_.missions.push_back({name, false, 0});
  }

  const InspectedEntry* UnpackedTopLevelFile(std::string_view name) const {
    for (const InspectedEntry& entry : report_.entries) {
      if (entry.unpacked && !entry.isFolder && IsTopLevel(entry.name) &&
          platform::NamesEqual(entry.name, name)) {
        return &entry;
      }
    }
    return nullptr;
  }

  void CheckMissions() {
    for (InspectedMission& mission : report_.missions) {
      if (!IsMissionName(mission.name)) {
        const auto why = platform::FileNameProblem(mission.name);
        Problem("mission-name-refused", mission.name,
                "the mission name " + Quoted(mission.name) + " " +
                    std::string(why ? *why : "does not end in .tie") +
                    "; playing stops with \"Error reading the source mission!\"");
        continue;
      }
      if (const InspectedEntry* entry = UnpackedTopLevelFile(mission.name)) {
        mission.present = true;
        mission.size = entry->size;
      } else {
        Problem("mission-missing", mission.name,
                "the battle list names " + Quoted(mission.name) +
                    ", which the package lacks; playing stops with \"Error reading the source "
                    "mission!\"");
      }
    }
    for (const InspectedEntry& entry : report_.entries) {
      if (entry.isFolder || !IsTopLevel(entry.name) || !HasTieExtension(entry.name) ||
          !report_.hasBattleList) {
        continue;
      }
      bool listed = false;
      for (const InspectedMission& mission : report_.missions) {
        listed = listed || platform::NamesEqual(mission.name, entry.name);
      }
      if (!listed) {
        Problem("mission-unlisted", entry.name,
                Quoted(entry.name) +
                    " is a mission the battle list does not name; no game ever sees it");
      }
    }
  }

  // The dry run of staging over the top-level files the unpacking writes.
  void Stage() {
    if (!report_.game) return;
    std::vector<std::string> names;
    std::map<std::string, std::string> spelling;  // folded name to the name the file has
    for (const InspectedEntry& entry : report_.entries) {
      if (!entry.unpacked || entry.isFolder || !IsTopLevel(entry.name)) continue;
      // The file keeps the letter case of the first entry that wrote it.
      if (spelling.emplace(platform::FoldCase(entry.name), entry.name).second)
        names.push_back(entry.name);
    }
    std::map<std::string, std::optional<std::string>> destinations;
    bool anyMission = false;
    for (PlannedMove& move : PlanStaging(*report_.game, names)) {
      anyMission = anyMission || HasTieExtension(move.name);
      destinations[platform::FoldCase(move.name)] = std::move(move.destination);
    }
    if (!anyMission) {
      Problem("no-missions", {}, "the package holds no missions (*.tie); a load stages nothing");
      return;
    }
    for (InspectedEntry& entry : report_.entries) {
      if (!entry.unpacked || entry.isFolder) continue;
      if (IsTopLevel(entry.name)) entry.stagedTo = destinations[platform::FoldCase(entry.name)];
      if (!entry.stagedTo) {
        Problem(
            "stays-in-temp", entry.name,
            Quoted(entry.name) +
                " stays in the launcher's Temp folder and is staged with the next battle loaded");
      }
    }
  }

  std::string path_;
  PackageArchive archive_;
  PackageReport report_;
  std::optional<std::string> battleList_;
  bool unpackedWhole_ = true;  // no entry has failed so far
};

}  // namespace

PackageReport InspectPackage(const std::string& path) { return Inspector(path).Run(); }

}  // namespace vantrel
