// `vantrel inspect PACKAGE [--json]`: what a package holds and every problem a player's
// load and play would meet, read without writing anything. Exit status 0 for a package
// that loads and plays cleanly, 1 for one with problems.
#include <cstdio>
#include <string>

#include "authoring/package_report.h"
#include "cli/commands.h"
#include "cli/json_writer.h"

namespace vantrel::cli {
namespace {

void PrintText(const std::string& package, const PackageReport& report) {
  std::printf("package   %s\n", package.c_str());
  if (report.gameByte) {
    std::printf("game      %u %s\n", static_cast<unsigned>(*report.gameByte),
                report.game ? std::string(Game(*report.game).name).c_str() : "(no such game)");
    std::printf("battle    %s\n", report.battleName.c_str());
    std::printf("key       %u\n", static_cast<unsigned>(report.key));
    std::printf("missions  %u listed\n", static_cast<unsigned>(report.listedCount));
    for (const InspectedMission& mission : report.missions) {
      if (mission.present) {
        std::printf("  %-22s %llu bytes\n", mission.name.c_str(),
                    static_cast<unsigned long long>(mission.size));
      } else {
        std::printf("  %-22s missing\n", mission.name.c_str());
      }
    }
  }
  if (!report.entries.empty()) {
    std::printf("entries   %zu, staged below the game folder as\n", report.entries.size());
    for (const InspectedEntry& entry : report.entries) {
      const char* where = entry.stagedTo    ? entry.stagedTo->c_str()
                          : entry.isFolder  ? "(folder)"
                          : !entry.unpacked ? "not unpacked"
                          : report.game     ? "stays in Temp"
                                            : "not staged";
      std::printf("  %-22s %s\n", entry.name.c_str(), where);
    }
  }
  if (report.clean()) {
    std::printf("no problems: the battle loads and plays cleanly\n");
    return;
  }
  std::printf("problems  %zu\n", report.problems.size());
  for (const PackageProblem& problem : report.problems) {
    std::printf("  %s: %s\n", problem.kind.c_str(), problem.text.c_str());
  }
}

void PrintJson(const std::string& package, const PackageReport& report) {
  JsonWriter json(JsonWriter::Layout::Indented);
  json.BeginObject();
  json.Key("package").String(package);
  json.Key("clean").Bool(report.clean());
  if (report.gameByte) {
    json.Key("game").Number(*report.gameByte);
  } else {
    json.Key("game").Null();
  }
  if (report.game) {
    json.Key("gameName").String(Game(*report.game).name);
  } else {
    json.Key("gameName").Null();
  }
  if (report.gameByte) {
    json.Key("battle").String(report.battleName);
    json.Key("key").Number(report.key);
    json.Key("listedCount").Number(report.listedCount);
  } else {
    json.Key("battle").Null();
    json.Key("key").Null();
    json.Key("listedCount").Null();
  }
  json.Key("missions").BeginArray();
  for (const InspectedMission& mission : report.missions) {
    json.BeginObject();
    json.Key("name").String(mission.name);
    json.Key("present").Bool(mission.present);
    if (mission.present) {
      json.Key("size").Number(static_cast<std::int64_t>(mission.size));
    } else {
      json.Key("size").Null();
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("entries").BeginArray();
  for (const InspectedEntry& entry : report.entries) {
    json.BeginObject();
    json.Key("name").String(entry.name);
    json.Key("folder").Bool(entry.isFolder);
    json.Key("size").Number(static_cast<std::int64_t>(entry.size));
    json.Key("unpacked").Bool(entry.unpacked);
    if (entry.stagedTo) {
      json.Key("stagedTo").String(*entry.stagedTo);
    } else {
      json.Key("stagedTo").Null();
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("problems").BeginArray();
  for (const PackageProblem& problem : report.problems) {
    json.BeginObject();
    json.Key("kind").String(problem.kind);
    json.Key("subject").StringOrNull(problem.subject);
    json.Key("text").String(problem.text);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::fputs(json.text().c_str(), stdout);
}

}  // namespace

int InspectCommand(const Options& options, const std::vector<std::string>& words) {
  std::optional<std::string> package;
  for (const std::string& word : words) {
    if (word.starts_with("--") || package) {
      return UsageError("inspect takes PACKAGE [--json]");
    } else {
      package = word;
    }
  }
  if (!package) return UsageError("inspect takes PACKAGE [--json]");
  const PackageReport report = InspectPackage(*package);
  if (options.json) {
    PrintJson(*package, report);
  } else {
    PrintText(*package, report);
  }
  return report.clean() ? 0 : 1;
}

}  // namespace vantrel::cli
