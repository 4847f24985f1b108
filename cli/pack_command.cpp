// `vantrel pack --game GAME --name NAME [--key K] [--output FILE] FOLDER`: a battle
// package made from a folder of plain missions and extras, for battle authors.
#include <charconv>
#include <cstdio>
#include <string>

#include "authoring/pack_battle.h"
#include "cli/commands.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace vantrel::cli {
namespace {

// 0 to 255, written in decimal or with 0x in hexadecimal.
std::optional<std::uint8_t> ParseKey(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > 255) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(value);
}

// Beside the folder and named after it: its path without a trailing separator, followed
// by ".kzm". The current folder, given as "." or "..", is named by its real name; other
// paths ending in a dot name no folder plainly and get none.
std::optional<std::string> DefaultOutput(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  if (folder == "." || folder == "..") {
    std::string current = platform::Files().CurrentFolder();
    if (folder == "..") current = std::string(platform::FolderPart(current));
    folder = current;
  }
  if (folder.empty() || folder.back() == '.' || platform::FileNamePart(folder).empty()) {
    return std::nullopt;
  }
  return folder + ".kzm";
}

}  // namespace

int PackCommand(const Options&, const std::vector<std::string>& words) {
  PackRequest request;
  std::optional<GameId> game;
  std::optional<std::string> name;
  std::optional<std::string> output;
  std::optional<std::string> folder;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string word = words[i];
    std::optional<std::string> value;
    if (const std::size_t equals = word.find('=');
        word.starts_with("--") && equals != std::string::npos) {
      value = word.substr(equals + 1);
      word.resize(equals);
    }
    const bool takesValue =
        word == "--game" || word == "--name" || word == "--key" || word == "--output";
    if (takesValue && !value) {
      if (i + 1 == words.size()) return UsageError(word + " needs a value");
      value = words[++i];
    }
    if (word == "--game") {
      game = ParseGameName(*value);
      if (!game) return UsageError("unknown game " + *value + " (tie, xvt, bop, xwa or 0 to 3)");
    } else if (word == "--name") {
      name = *value;
    } else if (word == "--key") {
      request.key = ParseKey(*value);
      if (!request.key) return UsageError("the key is a number from 0 to 255, not " + *value);
    } else if (word == "--output") {
      output = *value;
    } else if (word.starts_with("--") || folder) {
      return UsageError("pack takes --game GAME --name NAME [--key K] [--output FILE] FOLDER");
    } else {
      folder = word;
    }
  }
  if (!game || !name || !folder) {
    return UsageError("pack takes --game GAME --name NAME [--key K] [--output FILE] FOLDER");
  }
  request.game = *game;
  request.name = *name;
  request.folder = *folder;
  if (!output) output = DefaultOutput(*folder);
  if (!output) return UsageError("name the package with --output FILE");
  request.output = *output;

  const PackResult result = PackBattle(request);
  if (!result.packed) return Fail(result.refusal + "; nothing was written");
  std::printf("%s: %s battle \"%s\", key %u, %zu missions, %zu entries\n", request.output.c_str(),
              std::string(Game(request.game).name).c_str(), request.name.c_str(),
              static_cast<unsigned>(result.key), result.missions.size(), result.entries);
  return 0;
}

}  // namespace vantrel::cli
