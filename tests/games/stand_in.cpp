#include "tests/games/stand_in.h"

#include <fstream>
#include <stdexcept>
#include <string_view>

namespace vantrel::testing {
namespace fs = std::filesystem;

void InstallStandInGame(const fs::path& target) {
  fs::create_directories(target.parent_path());
  fs::copy_file(VANTREL_STAND_IN_GAME, target, fs::copy_options::overwrite_existing);
  fs::permissions(target,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::replace);
}

void SetStandInExitCode(const fs::path& folder, int code) {
  std::ofstream out(folder / "exit_code.txt", std::ios::binary | std::ios::trunc);
  out << code << '\n';
  if (!out) throw std::runtime_error("cannot write the stand-in's exit code");
}

std::vector<LaunchRecord> ReadLaunchLog(const fs::path& folder) {
  std::vector<LaunchRecord> records;
  std::ifstream in(folder / "launch.log", std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t blank = line.find(' ');
    const std::string_view key = std::string_view(line).substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (key == "program") {
      records.push_back({value, {}, {}, {}});
    } else if (records.empty()) {
      throw std::runtime_error("launch.log does not begin with a program line");
    } else if (key == "folder") {
      records.back().folder = value;
    } else if (key == "argument") {
      records.back().arguments.push_back(value);
    } else if (key == "mark") {
      records.back().mark = value;
    }
  }
  return records;
}

}  // namespace vantrel::testing
