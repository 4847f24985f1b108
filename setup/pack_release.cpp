// pack_release: writes the ZIP archives of a release, Setup's package `_Setup.pak` and the
// archive a player downloads, through the launcher's own package writer. The entries go
// in the order given and all carry one time, so the same files always give the same
// bytes, whenever and wherever they are packed.
//
//   pack_release [--time SECONDS] ARCHIVE NAME=FILE...
//
// NAME is the entry's name in the archive ('/' between folders), FILE the file whose bytes
// it holds. SECONDS is the entries' time in seconds since 1970 (UTC), as in
// SOURCE_DATE_EPOCH; without it every entry is dated 1 January 2000, 00:00.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "package/package_writer.h"
#include "platform/command_line.h"
#include "platform/file_helpers.h"
#include "platform/system_error.h"

namespace {

int Usage() {
  std::fputs("usage: pack_release [--time SECONDS] ARCHIVE NAME=FILE...\n", stderr);
  return 2;
}

// The MS-DOS date and time of a moment in UTC: the date in the high 16 bits, seconds in
// steps of two. The format starts in 1980; earlier moments take its first day.
std::uint32_t DosDateTime(std::int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds moment{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss time{moment - day};
  const int year = static_cast<int>(date.year());
  if (year < 1980) return (1u << 5 | 1u) << 16;
  const std::uint32_t dosDate = static_cast<std::uint32_t>(year - 1980) << 9 |
                                static_cast<unsigned>(date.month()) << 5 |
                                static_cast<unsigned>(date.day());
  const std::uint32_t dosTime = static_cast<std::uint32_t>(time.hours().count()) << 11 |
                                static_cast<std::uint32_t>(time.minutes().count()) << 5 |
                                static_cast<std::uint32_t>(time.seconds().count() / 2);
  return dosDate << 16 | dosTime;
}

// A message, and on the line after it the system's cause when a file operation met one.
int Fail(const std::string& message) {
  std::fprintf(stderr, "pack_release: %s\n", message.c_str());
  if (const auto& failure = vantrel::platform::LastFailure()) {
    std::fprintf(stderr, "  %s\n", failure->Describe().c_str());
  }
  return 1;
}

// 1 January 2000, 00:00: the time of every entry unless --time gives another.
constexpr std::int64_t kDefaultTime = 946684800;
// 31 December 2107, 23:59:59: the last moment an entry's date can hold.
constexpr std::int64_t kLastTime = 4354819199;

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments = vantrel::platform::CommandLineArguments(argc, argv);
  std::int64_t seconds = kDefaultTime;
  if (arguments.size() >= 2 && arguments[0] == "--time") {
    try {
      std::size_t used = 0;
      seconds = std::stoll(arguments[1], &used);
      if (used != arguments[1].size() || seconds < 0) return Usage();
    } catch (const std::exception&) {
      return Usage();
    }
    arguments.erase(arguments.begin(), arguments.begin() + 2);
    if (seconds > kLastTime) {
      return Fail("--time is past 2107, which an archive's dates cannot hold");
    }
  }
  if (arguments.size() < 2) return Usage();

  const std::string& archive = arguments[0];
  const std::uint32_t time = DosDateTime(seconds);
  vantrel::PackageWriter writer;
  vantrel::platform::ClearLastFailure();
  if (!writer.Create(archive)) return Fail("cannot create " + archive);
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    if (equals == 0 || equals == std::string::npos) return Usage();
    const std::string name = argument.substr(0, equals);
    const std::string file = argument.substr(equals + 1);
    const vantrel::platform::WholeFile bytes = vantrel::platform::ReadWholeFile(file);
    if (bytes.status == vantrel::platform::WholeFile::Status::Missing) {
      return Fail(file + " is missing");
    }
    if (bytes.status != vantrel::platform::WholeFile::Status::Read) {
      return Fail("cannot read " + file);
    }
    if (!writer.Add(name, bytes.bytes, time)) {
      return Fail("cannot write " + name + " into " + archive);
    }
  }
  if (!writer.Finish()) return Fail("cannot finish " + archive);
  return 0;
}
