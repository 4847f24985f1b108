// Lays out a pretend installation of the launcher and the four games. The games'
// subfolders are the ones their own installers would make (staging never creates
// them); the settings file is UTF-8 text with CRLF line ends, as the file store reads it.
#include "bench/install_layout.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::bench {
namespace {

namespace fs = std::filesystem;

struct GameLayout {
  std::string_view subKey;  // below the launcher's key, and the folder's name here
  std::vector<std::string_view> subfolders;
};

const std::array<GameLayout, 4>& Games() {
  static const std::array<GameLayout, 4> games = {{
      {"TIE", {"RESOURCE", "MISSION"}},
      {"XVT", {"TRAIN"}},
      {"BOP", {"TRAIN"}},
      {"XWA", {"MISSIONS"}},
  }};
  return games;
}

constexpr std::string_view kLauncherKey = "HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL";

// A string value as a registry export writes it: backslashes and quotes escaped.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

std::string ValueLine(std::string_view name, std::string_view text) {
  return Quoted(name) + "=" + Quoted(text) + "\r\n";
}

}  // namespace

void WriteInstallLayout(const fs::path& root) {
  if (!root.is_absolute()) throw std::invalid_argument("not an absolute folder: " + root.string());
  const fs::path launcher = root / "launcher";
  fs::create_directories(launcher);

  std::string reg = "Windows Registry Editor Version 5.00\r\n\r\n";
  reg += "[" + std::string(kLauncherKey) + "]\r\n";
  reg += ValueLine("Install Path", launcher.string());
  reg += ValueLine("Last Dir", root.string());
  for (const GameLayout& game : Games()) {
    const fs::path folder = root / "games" / game.subKey;
    fs::create_directories(folder);
    for (std::string_view sub : game.subfolders) fs::create_directories(folder / sub);
    reg += "\r\n[" + std::string(kLauncherKey) + "\\" + std::string(game.subKey) + "]\r\n";
    reg += ValueLine("Install Path", folder.string());
  }
  reg += "\r\n";

  const fs::path file = root / "registry.reg";
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << reg;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace vantrel::bench
