// Runs a `vantrel` command in-process and keeps what it printed.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/commands.h"
#include "cli/options.h"

namespace vantrel::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `command` with `words`, and with `options` as the global options given.
inline CliRun RunCommand(int (*command)(const cli::Options&, const std::vector<std::string>&),
                         const std::vector<std::string>& words, const cli::Options& options = {}) {
  CliRun run;
  // As `vantrel` runs each command: a cause it reports was met by the command itself.
  platform::ClearLastFailure();
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  run.status = command(options, words);
  run.out = ::testing::internal::GetCapturedStdout();
  run.err = ::testing::internal::GetCapturedStderr();
  return run;
}

// What `battles`, `repair` and a load print: a line per game, `tie`, `xvt`, `bop`, `xwa`.
inline std::string PerGame(const std::string& tie, const std::string& xvt, const std::string& bop,
                           const std::string& xwa) {
  return "tie\t" + tie + "\nxvt\t" + xvt + "\nbop\t" + bop + "\nxwa\t" + xwa + "\n";
}

// The battles installed when only X-Wing vs. TIE Fighter has one.
inline std::string OnlyXvtBattle(const std::string& battle) {
  const std::string none = "No battle installed";
  return PerGame(none, battle, none, none);
}

// Global options with --json given.
inline cli::Options JsonOption() {
  cli::Options options;
  options.json = true;
  return options;
}

}  // namespace vantrel::testing
