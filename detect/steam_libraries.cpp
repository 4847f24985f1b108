#include "detect/steam_libraries.h"

#include <algorithm>
#include <optional>

#include "platform/path.h"

namespace vantrel {
namespace {

struct Token {
  std::string text;
  bool isString = false;  // a quoted text; otherwise a brace
};

std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (c == '{' || c == '}') {
      tokens.push_back({std::string(1, c), false});
      ++at;
    } else if (c == '/' && at + 1 < text.size() && text[at + 1] == '/') {
      at = std::min(text.find('\n', at), text.size());
    } else if (c == '"') {
      std::string value;
      for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) ++at;
        value += text[at];
      }
      ++at;
      tokens.push_back({std::move(value), true});
    } else {
      ++at;
    }
  }
  return tokens;
}

bool IsNumber(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<std::string> ParseSteamLibraryFolders(std::string_view text) {
  const std::vector<Token> tokens = Tokens(text);
  std::vector<std::string> folders;
  int depth = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& key = tokens[i];
    if (!key.isString) {
      depth += key.text == "{" ? 1 : -1;
      continue;
    }
    if (i + 1 == tokens.size() || !tokens[i + 1].isString) continue;  // a key of a block
    const std::string& value = tokens[++i].text;
    // Numbered keys name folders only right inside the outer block; deeper, under
    // "apps", they are the games a library holds.
    const bool names = platform::NamesEqual(key.text, "path") || (depth == 1 && IsNumber(key.text));
    if (names && !value.empty() &&
        std::find(folders.begin(), folders.end(), value) == folders.end()) {
      folders.push_back(value);
    }
  }
  return folders;
}

std::optional<SteamAppManifest> ParseSteamAppManifest(std::string_view text) {
  const std::vector<Token> tokens = Tokens(text);
  SteamAppManifest manifest;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (!tokens[i].isString || !tokens[i + 1].isString) continue;
    if (platform::NamesEqual(tokens[i].text, "appid") && manifest.appId.empty()) {
      manifest.appId = tokens[i + 1].text;
    } else if (platform::NamesEqual(tokens[i].text, "installdir") && manifest.installDir.empty()) {
      manifest.installDir = tokens[i + 1].text;
    }
    ++i;
  }
  if (manifest.appId.empty() || manifest.installDir.empty()) return std::nullopt;
  return manifest;
}

}  // namespace vantrel
