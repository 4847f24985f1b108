// decrypt_bench times DecryptMissions on a battle of about 60 MB of missions against `cp`
// copying the same enciphered files, in the same run and on the same file system, and
// prints the medians and their ratio.
//
//   decrypt_bench [REPS]      REPS timed rounds (default 5) after one warm-up round
//
// The work folder is made under $TMPDIR (default /tmp) and removed at the end unless
// KEEP=1 is set. Every timed run starts from the same state: the game's mission folder,
// or the copy folder, is made afresh and `sync` has run before the clock starts.
// Decryption and `cp` take turns within each round, so a change in the machine's load
// falls on both alike. Figures are warm-cache figures: the enciphered missions stay in
// the page cache, as they would after staging. `cp` is timed as a command started through
// the shell; the time of starting an empty shell command is printed too, to judge what
// that adds. The processor time each side took (all threads of the decryption; cp and its
// shell) is printed beside the wall time: on a machine that others load too, it shows the
// work done where the wall time shows the waiting as well.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "battle/decrypt_missions.h"
#include "bench/install_layout.h"
#include "bench/package_writer.h"
#include "platform/settings_store.h"
#include "platform/worker_pool.h"
#include "ui/console/console_desktop.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMissions = 200;
constexpr std::uint8_t kKey = 0xa7;

struct Battle {
  fs::path staging;   // the game's KZMISS folder
  fs::path missions;  // the game's MISSIONS folder
  std::vector<std::string> names;
  std::uint64_t bytes = 0;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An X-Wing Alliance battle staged as `vantrel load` would leave it: 200 enciphered
// missions of 200 to 400 KB of random bytes and the battle list, in KZMISS.
Battle StageBattle(const fs::path& install) {
  Battle battle;
  battle.staging = install / "games" / "XWA" / "KZMISS";
  battle.missions = install / "games" / "XWA" / "MISSIONS";
  fs::create_directories(battle.staging);
  vantrel::bench::Random random(0x44454352595054ULL);
  for (std::size_t i = 0; i < kMissions; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "bench%03zu.tie", i + 1);
    battle.names.push_back(name);
    const std::string plain = random.Bytes(random.Between(200 * 1024, 400 * 1024));
    battle.bytes += plain.size();
    WriteFile(battle.staging / name, vantrel::bench::Encipher(plain, kKey));
  }
  WriteFile(battle.staging / "BATTLE.KZB",
            vantrel::bench::BattleList(3, kKey, "Decryption benchmark", battle.names));
  return battle;
}

// The plain copies must be the enciphered files deciphered, byte for byte.
void CheckPlainCopies(const Battle& battle) {
  for (const std::string& name : battle.names) {
    const std::string expected = vantrel::bench::Encipher(ReadFile(battle.staging / name), kKey);
    if (ReadFile(battle.missions / name) != expected) {
      throw std::runtime_error("the plain copy of " + name + " is not the deciphered mission");
    }
  }
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

double TimeMs(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// User and system time, in milliseconds, of this process or of its finished children.
double ProcessorMs(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The processor time `work` took, of this process or of the children it waited for.
double ProcessorMsOf(int who, const std::function<void()>& work) {
  const double before = ProcessorMs(who);
  work();
  return ProcessorMs(who) - before;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

struct Measurements {
  std::vector<double> decrypt;
  std::vector<double> cp;
  std::vector<double> shell;
  std::vector<double> decryptProcessor;
  std::vector<double> cpProcessor;
};

int Bench(int reps) {
  const char* tmp = std::getenv("TMPDIR");
  const fs::path work = fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
                        ("vantrel-decrypt-bench-" +
                         std::to_string(Clock::now().time_since_epoch().count()));
  const bool keep = std::getenv("KEEP") != nullptr && std::string(std::getenv("KEEP")) == "1";
  fs::create_directories(work);
  struct Cleanup {
    fs::path folder;
    bool keep;
    ~Cleanup() {
      std::error_code ignored;
      if (!keep) fs::remove_all(folder, ignored);
    }
  } cleanup{work, keep};
  if (keep) std::printf("work folder: %s\n", work.string().c_str());

  const fs::path install = work / "install";
  vantrel::bench::WriteInstallLayout(install);
  const std::unique_ptr<vantrel::platform::SettingsStore> store =
      vantrel::platform::OpenRegistryFileStore((install / "registry.reg").string());
  const vantrel::platform::ScopedService<vantrel::platform::SettingsStore> settings(store.get());
  vantrel::ui::ConsoleDesktop desktop({});
  const vantrel::platform::ScopedService<vantrel::ui::Desktop> scopedDesktop(desktop);
  vantrel::ui::ConsoleWindow window(desktop);

  std::printf("Staging %zu missions ...\n", kMissions);
  const Battle battle = StageBattle(install);
  const fs::path copies = work / "cp-out";
  std::string cpCommand = "cp --";
  for (const std::string& name : battle.names) cpCommand += " " + Quoted(battle.staging / name);
  cpCommand += " " + Quoted(copies);

  const auto decrypt = [&] {
    if (!vantrel::DecryptMissions(window, window.statusLine(), vantrel::GameId::XwingAlliance)) {
      throw std::runtime_error("DecryptMissions failed");
    }
  };
  // Both sides write into a folder made afresh: a folder that has just lost hundreds of
  // entries makes the file system slower to add new ones, and that would fall on one
  // side only.
  const auto freshMissions = [&] {
    fs::remove_all(battle.missions);
    fs::create_directories(battle.missions);
    Run("sync");
  };
  const auto freshCopies = [&] {
    fs::remove_all(copies);
    fs::create_directories(copies);
    Run("sync");
  };

  // The warm-up round, checked.
  freshMissions();
  decrypt();
  CheckPlainCopies(battle);
  freshCopies();
  Run(cpCommand);

  Measurements times;
  for (int round = 0; round < reps; ++round) {
    freshMissions();
    times.decryptProcessor.push_back(ProcessorMsOf(RUSAGE_SELF, [&] {
      times.decrypt.push_back(TimeMs(decrypt));
    }));
    freshCopies();
    times.cpProcessor.push_back(ProcessorMsOf(RUSAGE_CHILDREN, [&] {
      times.cp.push_back(TimeMs([&] { Run(cpCommand); }));
    }));
    times.shell.push_back(TimeMs([] { Run("true"); }));
  }
  CheckPlainCopies(battle);

  const double decryptMs = Median(times.decrypt);
  const double cpMs = Median(times.cp);
  std::printf("\nDecryption against cp (median of %d runs after one warm-up, wall time)\n", reps);
  std::printf("missions %zu, %.1f MB\n", kMissions, static_cast<double>(battle.bytes) / 1048576.0);
  std::printf("%-16s %9s %9s %9s\n", "", "median ms", "min ms", "max ms");
  const auto row = [](const char* what, const std::vector<double>& t) {
    std::printf("%-16s %9.1f %9.1f %9.1f\n", what, Median(t), *std::min_element(t.begin(), t.end()),
                *std::max_element(t.begin(), t.end()));
  };
  row("DecryptMissions", times.decrypt);
  row("cp", times.cp);
  row("(empty command)", times.shell);
  std::printf("ratio DecryptMissions / cp: %.2f\n", decryptMs / cpMs);
  std::printf("processor time, median ms: DecryptMissions %.1f (on up to %u threads), cp %.1f\n",
              Median(times.decryptProcessor), vantrel::platform::WorkerCount(),
              Median(times.cpProcessor));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 5;
  if (argc > 2 || (argc == 2 && (reps = std::atoi(argv[1])) < 1)) {
    std::fprintf(stderr, "usage: decrypt_bench [REPS]\n");
    return 2;
  }
  try {
    return Bench(reps);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "decrypt_bench: %s\n", error.what());
    return 1;
  }
}
