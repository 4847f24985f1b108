// Path arithmetic shared by both backends: the 259-character limit counted as Windows
// counts it, the split into folder and name, and the name comparisons of the file
// systems the games run on (letter case folded, wildcards as FindFirstFile reads them).
#include "platform/path.h"

#include <vector>

namespace vantrel::platform {
namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// One character of folded text: its bytes, so that '?' can stand for a whole UTF-8
// sequence and a literal compares all of its bytes.
using Character = std::string_view;

// Splits UTF-8 into characters. A stray continuation byte or a broken sequence is taken
// byte by byte; such names cannot come from the system, but they must not make the
// match read past the text.
std::vector<Character> SplitCharacters(std::string_view text) {
  std::vector<Character> characters;
  characters.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    std::size_t end = i + 1;
    while (end < text.size() && end < i + length &&
           IsContinuationByte(static_cast<unsigned char>(text[end]))) {
      ++end;
    }
    if (end - i != length) end = i + 1;
    characters.push_back(text.substr(i, end - i));
    i = end;
  }
  return characters;
}

// The greedy matcher: on a mismatch after a '*', the star takes one more character and
// the rest of the pattern is tried again from there. Only the last star is ever
// revisited, so the work is bounded by pattern length times name length, never by
// the exponential count of ways to split the name.
bool MatchFolded(const std::vector<Character>& pattern, const std::vector<Character>& name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starPattern = pattern.size();  // none yet
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starPattern != pattern.size()) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

}  // namespace

std::size_t CountPathCharacters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsContinuationByte(byte)) continue;
    // A four-byte sequence lies outside the Basic Multilingual Plane and takes a
    // surrogate pair, two characters, in Windows' count.
    count += byte >= 0xF0 ? 2 : 1;
  }
  return count;
}

bool PathFitsLimit(std::string_view path) { return CountPathCharacters(path) <= kMaxPathLength; }

std::string_view FolderPart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return path.substr(0, i - 1);
  }
  return {};
}

std::string_view FileNamePart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return path.substr(i);
  }
  return path;
}

std::string FoldCase(std::string_view utf8) {
  std::string folded(utf8);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 'a' && byte <= 'z') {
      folded[i] = static_cast<char>(byte - 'a' + 'A');
    } else if (byte == 0xC3 && i + 1 < folded.size()) {
      // U+00E0 to U+00FE are C3 A0 to C3 BE; their capitals (U+00C0 to U+00DE) lie 0x20
      // lower in the second byte. U+00F7 (C3 B7) is the division sign and has none.
      const auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) {
        folded[i + 1] = static_cast<char>(next - 0x20);
      }
      ++i;
    }
  }
  return folded;
}

std::string WithNativeSeparators(std::string_view path) {
#ifdef _WIN32
  constexpr char kNative = '\\';
#else
  constexpr char kNative = '/';
#endif
  std::string shown(path);
  for (char& c : shown) {
    if (IsSeparator(c)) c = kNative;
  }
  return shown;
}

bool NamesEqual(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  const std::string foldedPattern = FoldCase(pattern);
  const std::string foldedName = FoldCase(name);
  const std::vector<Character> patternCharacters = SplitCharacters(foldedPattern);
  const std::vector<Character> nameCharacters = SplitCharacters(foldedName);
  if (MatchFolded(patternCharacters, nameCharacters)) return true;

  // FindFirstFile lets a trailing ".*" match the end of a name that has no dot at all,
  // so "*.*" finds "readme" and "readme.*" finds it as well.
  const bool endsInDotStar = patternCharacters.size() >= 2 &&
                             patternCharacters[patternCharacters.size() - 2] == "." &&
                             patternCharacters.back() == "*";
  if (!endsInDotStar || foldedName.find('.') != std::string::npos) return false;
  const std::vector<Character> withoutDotStar(patternCharacters.begin(),
                                              patternCharacters.end() - 2);
  return MatchFolded(withoutDotStar, nameCharacters);
}

bool IsDeviceName(std::string_view name) {
  // Windows looks at the part before the first dot, without its trailing blanks.
  std::string stem = FoldCase(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

std::optional<std::string_view> FileNameProblem(std::string_view name) {
  if (IsDeviceName(name)) return "is a device name on Windows";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("*?\"<>|:").find(c) != std::string_view::npos) {
      return "holds a character Windows does not allow in a file name";
    }
  }
  // "." and ".." name the folder and its parent, and Windows drops the trailing dots and
  // blanks of any other name of dots and blanks alone, which leaves nothing.
  if (name.find_first_of("\\/") != std::string_view::npos ||
      name.find_first_not_of(". ") == std::string_view::npos) {
    return "is not a file name Windows can hold";
  }
  if (name.back() == '.' || name.back() == ' ') {
    return "ends with a dot or a blank, which Windows drops";
  }
  return std::nullopt;
}

}  // namespace vantrel::platform
