#include "package/entry_name.h"

#include "platform/western_text.h"

namespace vantrel {

std::string DecodeEntryName(std::string_view stored, bool flaggedUtf8) {
  std::string name = flaggedUtf8 ? std::string(stored) : platform::WesternToUtf8(stored);
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

bool IsSafeEntryName(std::string_view name) {
  if (name.empty()) return true;
  if (name.front() == '\\' || name.front() == '/') return false;
  if (name.find(':') != std::string_view::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

}  // namespace vantrel
