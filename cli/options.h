// The command line of `vantrel`: global options before the command, then the command and
// its words.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel::cli {

struct Options {
  std::optional<std::string> registryFile;  // --registry FILE
  std::optional<std::string> runner;        // --runner CMD: starts the games (wine)
  bool assumeYes = false;                   // --yes: questions are answered Yes
  bool verbose = false;                     // --verbose
  bool help = false;                        // --help or -h
  bool version = false;                     // --version or -V
  bool json = false;                        // --json: one JSON document on stdout
  std::vector<std::string> words;           // the command and its arguments
};

// Parsed options, or empty after printing a usage line for an unknown option. --json,
// and --help or -h asking for the command's help, may also follow the command.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments);

// The usage text of `vantrel --help`.
const char* UsageText();

// "vantrel VERSION" and a newline, for `vantrel --version`.
const char* VersionText();

// Prints "usage: ..." and a pointer to --help on stderr; returns exit code 2.
int UsageError(const std::string& problem);

}  // namespace vantrel::cli
