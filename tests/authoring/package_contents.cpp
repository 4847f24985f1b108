#include "tests/authoring/package_contents.h"

#include "package/package_archive.h"

namespace vantrel::testing {

std::vector<PackedEntry> ReadPackage(const std::string& path) {
  std::vector<PackedEntry> entries;
  PackageArchive archive;
  if (!archive.OpenPackage(path) || !archive.GoToFirstEntry()) return entries;
  do {
    PackageEntryInfo info;
    if (!archive.GetCurrentEntryInfo(info)) break;
    PackedEntry entry{info.name, {}, info.dosDateTime};
    archive.ReadCurrentEntry([&](std::string_view piece) { entry.bytes.append(piece); });
    entries.push_back(std::move(entry));
  } while (archive.GoToNextEntry());
  return entries;
}

void WriteBattleFolder(const TempFolder& temp) {
  temp.WriteFile("battle/c.tie", std::string("third\0mission", 13));
  temp.WriteFile("battle/a.tie", "first mission");
  temp.WriteFile("battle/B.TIE", "second");
  temp.WriteFile("battle/Readme.txt", "Read me first.\r\n");
  temp.WriteFile("battle/strike.lst", "a\r\nB\r\nc\r\n");
  temp.WriteFile("battle/maps/one.map", "map");
}

}  // namespace vantrel::testing
