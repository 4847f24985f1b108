#include "cli/options.h"

#include <cstdio>

namespace vantrel::cli {

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--json") {
      options.json = true;
    } else if (!options.words.empty() && (word == "--help" || word == "-h")) {
      options.help = true;
    } else if (!options.words.empty()) {
      options.words.push_back(word);
    } else if (word == "--registry") {
      if (i + 1 == arguments.size()) {
        UsageError("--registry needs a file");
        return std::nullopt;
      }
      options.registryFile = arguments[++i];
    } else if (word == "--runner") {
      if (i + 1 == arguments.size()) {
        UsageError("--runner needs a command");
        return std::nullopt;
      }
      options.runner = arguments[++i];
    } else if (word.rfind("--runner=", 0) == 0) {
      options.runner = word.substr(9);
    } else if (word.rfind("--registry=", 0) == 0) {
      options.registryFile = word.substr(11);
    } else if (word == "--yes" || word == "-y") {
      options.assumeYes = true;
    } else if (word == "--verbose" || word == "-v") {
      options.verbose = true;
    } else if (word == "--help" || word == "-h") {
      options.help = true;
    } else if (word == "--version" || word == "-V") {
      options.version = true;
    } else if (word.size() > 1 && word[0] == '-') {
      UsageError("unknown option " + word);
      return std::nullopt;
    } else {
      options.words.push_back(word);
    }
  }
  return options;
}

const char* UsageText() {
  return "usage: vantrel [--registry FILE] [--runner CMD] [--yes] [--verbose] COMMAND [ARGS]\n"
         "       vantrel help [COMMAND]\n"
         "       vantrel --version\n"
         "\n"
         "Loads KZ battle packages into the folders of TIE Fighter 95, X-Wing vs. TIE\n"
         "Fighter, Balance of Power and X-Wing Alliance, as the VNTL launcher does.\n"
         "\n"
         "Commands:\n"
         "  folders                  print the launcher folder, the last package folder and\n"
         "                           the four game folders, one per line: NAME<TAB>PATH\n"
         "  folders set NAME PATH    store a folder; NAME is tie, xvt, bop, xwa (any case,\n"
         "                           or 0 to 3), launcher or last-dir\n"
         "  folders --where          print the settings file in use and why\n"
         "  folders detect [--wine-prefix DIR]... [--set]\n"
         "                           look for the games (registry, Wine prefixes, Steam\n"
         "                           libraries, usual folders); --set stores them\n"
         "  load PACKAGE             unpack a .kzm package and stage its battle into the\n"
         "                           folders of the game its battle list names, then\n"
         "                           print the installed battles as `battles` does\n"
         "  battles                  print the battle installed for each game, one per\n"
         "                           line: NAME<TAB>BATTLE (\"No battle installed\" if none)\n"
         "  play GAME [--rebel-fighters] [--transports] [--briefing-audio]\n"
         "                           play GAME (tie, xvt, bop, xwa or 0 to 3) as its game\n"
         "                           button does: patch the executable for the options\n"
         "                           given, decipher the installed battle, run the game,\n"
         "                           seal the pilot, clean up and put the executable back;\n"
         "                           --rebel-fighters and --transports are TIE Fighter 95's,\n"
         "                           --transports also X-Wing vs. TIE Fighter's and Balance\n"
         "                           of Power's, --briefing-audio X-Wing Alliance's\n"
         "  repair [GAME]            finish a play that was cut short: put the executable\n"
         "                           back, remove the plain missions\n"
         "  pilots [list]            list the X-Wing Alliance pilots; * marks the one the\n"
         "                           game starts with\n"
         "  pilots create NAME [--kz]  create a pilot (--kz: prepared for KZ battles)\n"
         "  pilots delete NAME       delete a pilot (asks; --yes answers Yes)\n"
         "  pilots select NAME       make NAME the pilot the game starts with\n"
         "  pack --game GAME --name NAME [--key K] [--output FILE] FOLDER\n"
         "                           make a .kzm package of a folder of plain missions\n"
         "                           (*.tie, in the order of missions.txt if present)\n"
         "                           and extras; K is 0 to 255, random when not given\n"
         "  inspect PACKAGE [--json]  show what a package holds, where a load stages\n"
         "                           it and every problem a player would meet; writes\n"
         "                           nothing; exit status 1 when it has problems\n"
         "  help [COMMAND]           show this text, or the help of one command\n"
         "\n"
         "Options:\n"
         "  --registry FILE          the settings file (default: $VANTREL_REGISTRY, else\n"
         "                           $XDG_CONFIG_HOME/vantrel/registry.reg)\n"
         "  --runner CMD             start the games through CMD, for example wine\n"
         "                           (default: $VANTREL_RUNNER; not used on Windows)\n"
         "  -y, --yes                answer Yes to every question\n"
         "  -v, --verbose            show the launcher's status line\n"
         "  --json                   folders, battles, pilots, repair and inspect print\n"
         "                           one JSON document\n"
         "  -h, --help               show this text (after a command: that command's help)\n"
         "  -V, --version            print the version\n"
         "\n"
         "Messages the launcher would show in a window are printed as TITLE: TEXT on\n"
         "stderr. Exit status: 0 done, 1 failed, 2 bad arguments.\n";
}

int UsageError(const std::string& problem) {
  std::fprintf(
      stderr, "vantrel: %s\nusage: vantrel [--registry FILE] COMMAND [ARGS] (see vantrel --help)\n",
      problem.c_str());
  return 2;
}

}  // namespace vantrel::cli
