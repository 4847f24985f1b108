// make_package writes synthetic battle packages and the installation they load into,
// for trying the launcher by hand and for the load benchmark. Nothing in them comes
// from a real game: names, missions and texts are made up here, the same bytes on
// every run.
//
//   make_package sample OUTDIR          a small X-Wing vs. TIE Fighter battle
//   make_package large OUTDIR           200 missions, about 60 MB
//   make_package many OUTDIR [COUNT]    COUNT small entries (5000 by default)
//   make_package folders OUTDIR         only the game folders, launcher folder, settings
//
// Every mode also lays out OUTDIR/games, OUTDIR/launcher and OUTDIR/registry.reg.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench/install_layout.h"
#include "bench/package_writer.h"

namespace {

namespace fs = std::filesystem;
using vantrel::bench::BattleList;
using vantrel::bench::Encipher;
using vantrel::bench::Random;
using vantrel::bench::ZipWriter;

constexpr std::uint8_t kXwingVsTie = 1;
constexpr std::uint8_t kXwingAlliance = 3;

constexpr std::size_t kManyDefaultCount = 5000;
// Entries of the "many" package that are not missions: the battle list, the readme,
// one ".lst" file and seven extras.
constexpr std::size_t kManyOtherEntries = 10;
constexpr std::size_t kManyMinCount = 20;
// A ZIP archive without the 64-bit extension holds at most 65535 entries.
constexpr std::size_t kManyMaxCount = 65000;

void PrintUsage() {
  std::fputs(
      "usage: make_package sample OUTDIR\n"
      "       make_package large OUTDIR\n"
      "       make_package many OUTDIR [COUNT]\n"
      "       make_package folders OUTDIR\n"
      "\n"
      "  sample   OUTDIR/sample.kzm: an X-Wing vs. TIE Fighter battle of 3 missions\n"
      "  large    OUTDIR/large.kzm: an X-Wing Alliance battle of 200 missions, about 60 MB,\n"
      "           half of them random bytes, half text\n"
      "  many     OUTDIR/many.kzm: COUNT entries in all (default 5000, 20 to 65000),\n"
      "           nearly all small missions\n"
      "  folders  only what every mode also writes: OUTDIR/games/{TIE,XVT,BOP,XWA},\n"
      "           OUTDIR/launcher and the settings file OUTDIR/registry.reg\n"
      "\n"
      "Load a package with: vantrel --registry OUTDIR/registry.reg load OUTDIR/NAME.kzm\n",
      stderr);
}

std::string MissionName(std::string_view prefix, std::size_t number, int width) {
  std::string digits = std::to_string(number);
  std::string name(prefix);
  if (static_cast<int>(digits.size()) < width) name.append(width - digits.size(), '0');
  return name + digits + ".tie";
}

std::string Readme(std::string_view battle, std::size_t missions) {
  return std::string(battle) + "\r\n\r\n" +
         "A made-up battle for trying the Vantrel launcher. It holds " +
         std::to_string(missions) +
         " missions that no game can fly: their contents are filler.\r\n";
}

// The battle list names at most 255 missions; later ones are staged all the same.
std::vector<std::string> Listed(const std::vector<std::string>& missions) {
  const std::size_t n = std::min(missions.size(), vantrel::bench::kMaxListedMissions);
  return {missions.begin(), missions.begin() + static_cast<std::ptrdiff_t>(n)};
}

void WriteSample(const fs::path& root) {
  constexpr std::string_view kName = "Sample Battle of Vantrel";
  constexpr std::uint8_t kKey = 0x5a;
  Random random(0x53414d504c45ULL);
  const std::vector<std::string> missions = {"SAMPLE01.tie", "SAMPLE02.tie", "SAMPLE03.tie"};

  ZipWriter zip((root / "sample.kzm").string());
  zip.Add("Readme.txt", Readme(kName, missions.size()));
  zip.Add("battle.kzb", BattleList(kXwingVsTie, kKey, kName, missions));
  for (std::size_t i = 0; i < missions.size(); ++i) {
    std::string plain =
        "Mission " + std::to_string(i + 1) + " of the " + std::string(kName) + "\r\n";
    plain += random.Text(2000 + 500 * i);
    zip.Add(missions[i], Encipher(std::move(plain), kKey));
  }
  zip.Add("Sample.lst", "SAMPLE01\r\nSAMPLE02\r\nSAMPLE03\r\n");
  zip.Add("Credits.txt", "Missions: nobody. Testing: everybody.\r\n");
  zip.Close();
}

void WriteLarge(const fs::path& root) {
  constexpr std::string_view kName = "Large Battle of Vantrel";
  constexpr std::uint8_t kKey = 0xa7;
  constexpr std::size_t kMissions = 200;
  Random random(0x4c41524745ULL);
  std::vector<std::string> missions;
  for (std::size_t i = 1; i <= kMissions; ++i) missions.push_back(MissionName("LARGE", i, 3));

  ZipWriter zip((root / "large.kzm").string());
  zip.Add("Readme.txt", Readme(kName, kMissions));
  zip.Add("battle.kzb", BattleList(kXwingAlliance, kKey, kName, Listed(missions)));
  for (std::size_t i = 0; i < kMissions; ++i) {
    // 256 KiB to 344 KiB, 300 KiB on average: about 60 MB for the 200 missions. Even
    // missions are noise that deflate cannot shrink, odd ones text it shrinks well.
    const std::size_t size = random.Between(256 << 10, 344 << 10);
    std::string plain = i % 2 == 0 ? random.Bytes(size) : random.Text(size);
    zip.Add(missions[i], Encipher(std::move(plain), kKey));
  }
  zip.Add("email.txt", "From: Command\r\nTo: All pilots\r\nThe large battle begins.\r\n");
  zip.Add("mission.lst", "LARGE001\r\nLARGE002\r\n");
  zip.Close();
}

void WriteMany(const fs::path& root, std::size_t count) {
  constexpr std::string_view kName = "Many Missions of Vantrel";
  constexpr std::uint8_t kKey = 0x3c;
  Random random(0x4d414e59ULL);
  std::vector<std::string> missions;
  for (std::size_t i = 1; i <= count - kManyOtherEntries; ++i) {
    missions.push_back(MissionName("M", i, 5));
  }

  ZipWriter zip((root / "many.kzm").string());
  zip.Add("Readme.txt", Readme(kName, missions.size()));
  zip.Add("battle.kzb", BattleList(kXwingVsTie, kKey, kName, Listed(missions)));
  for (const std::string& mission : missions) {
    zip.Add(mission, Encipher(random.Text(random.Between(1024, 4096)), kKey));
  }
  zip.Add("Many.lst", "M00001\r\nM00002\r\n");
  for (int i = 1; i <= 7; ++i) {
    zip.Add("Extra0" + std::to_string(i) + ".txt", random.Text(random.Between(200, 2000)));
  }
  zip.Close();
}

std::optional<std::size_t> ParseCount(std::string_view text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < kManyMinCount || value > kManyMaxCount) return std::nullopt;
  return value;
}

// The output folder as an absolute path without a trailing separator; the settings
// file stores it, and the launcher appends "\Temp" and the like to what it stores.
fs::path PrepareRoot(std::string_view text) {
  fs::create_directories(fs::path(text));
  return fs::canonical(fs::path(text));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() < 2 || args.size() > 3) {
    PrintUsage();
    return 2;
  }
  const std::string_view mode = args[0];
  std::size_t count = kManyDefaultCount;
  if (args.size() == 3) {
    const std::optional<std::size_t> parsed = mode == "many" ? ParseCount(args[2]) : std::nullopt;
    if (!parsed) {
      PrintUsage();
      return 2;
    }
    count = *parsed;
  }
  if (mode != "sample" && mode != "large" && mode != "many" && mode != "folders") {
    PrintUsage();
    return 2;
  }
  if (args[1].empty() || args[1].find('\\') != std::string_view::npos) {
    // The launcher reads a backslash in a stored folder as a separator.
    std::fputs("make_package: OUTDIR must be a non-empty path without backslashes\n", stderr);
    return 2;
  }

  try {
    const fs::path root = PrepareRoot(args[1]);
    vantrel::bench::WriteInstallLayout(root);
    if (mode == "sample") WriteSample(root);
    if (mode == "large") WriteLarge(root);
    if (mode == "many") WriteMany(root, count);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_package: %s\n", error.what());
    return 1;
  }
  return 0;
}
