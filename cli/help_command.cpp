// `vantrel help [COMMAND]` and `vantrel --version`: the general usage text, or the usage
// and description of one command. A new command adds its entry to kCommandHelp below
// (and its lines to the manual page and the bash completion).
#include <cstdio>
#include <string_view>

#include "cli/commands.h"

#ifndef VANTREL_VERSION
#error "VANTREL_VERSION is set by the build from the project's version"
#endif

namespace vantrel::cli {
namespace {

struct CommandHelp {
  std::string_view name;
  std::string_view text;
};

constexpr CommandHelp kCommandHelp[] = {
    {"folders",
     "usage: vantrel folders [--json]\n"
     "       vantrel folders set NAME PATH\n"
     "       vantrel folders detect [--wine-prefix DIR]... [--set]\n"
     "       vantrel folders --where\n"
     "\n"
     "Prints the launcher folder, the last package folder and the four game folders,\n"
     "one per line: NAME<TAB>PATH, with PATH empty when the folder is not set.\n"
     "\n"
     "set stores a folder. NAME is tie, xvt, bop or xwa (any case, or 0 to 3), launcher\n"
     "or last-dir. A relative PATH is stored as the absolute path it names from the\n"
     "current folder; the stored line NAME<TAB>PATH is printed. A PATH that does not\n"
     "exist is stored all the same, with a warning.\n"
     "\n"
     "detect looks for the four games: the install paths in the registry (elsewhere in\n"
     "the registry files of the Wine prefixes given, of $WINEPREFIX and of ~/.wine),\n"
     "Steam's libraries and the usual install folders. It prints each game's folder and\n"
     "release; --set stores the folders found, and how to play them through Wine.\n"
     "\n"
     "--where prints the settings file in use and why it is that one: --registry, the\n"
     "environment ($VANTREL_REGISTRY, $XDG_CONFIG_HOME) or the default under $HOME.\n"
     "\n"
     "--json prints one JSON object instead (see the manual page, vantrel(1)).\n"},
    {"load",
     "usage: vantrel load PACKAGE\n"
     "\n"
     "Unpacks a .kzm package into the launcher's Temp folder and stages its battle into\n"
     "the folders of the game its battle list names, says where it went, then prints\n"
     "the installed battles as `vantrel battles` does. Needs the launcher folder and the\n"
     "game's folder (vantrel folders set). A package that does not fit the free space,\n"
     "or does not unpack whole (a damaged or encrypted entry, a method other than stored\n"
     "and deflate), stages nothing: the installed battle stays and Temp is removed.\n"},
    {"battles",
     "usage: vantrel battles [--json]\n"
     "\n"
     "Prints the battle installed for each game, one per line: NAME<TAB>BATTLE, with\n"
     "\"No battle installed\" where there is none. --json prints one JSON object.\n"},
    {"play",
     "usage: vantrel play GAME [--rebel-fighters] [--transports] [--briefing-audio]\n"
     "\n"
     "Plays GAME (tie, xvt, bop, xwa or 0 to 3) as the launcher's game button does:\n"
     "checks, backs up and patches the executable for the options given, deciphers the\n"
     "installed battle's missions, runs the game and waits for it, seals the pilot who\n"
     "flew, removes the plain missions and puts the executable back.\n"
     "\n"
     "  --rebel-fighters   TIE Fighter 95: rebel fighters (not with --transports)\n"
     "  --transports       TIE Fighter 95, X-Wing vs. TIE Fighter, Balance of Power\n"
     "  --briefing-audio   X-Wing Alliance\n"
     "\n"
     "On Linux the games run through Wine: --runner wine, or VANTREL_RUNNER=wine.\n"
     "A play ended by TERM, INT or HUP ends the game, puts everything back and exits\n"
     "with 128 + the signal's number.\n"},
    {"repair",
     "usage: vantrel repair [GAME] [--json]\n"
     "\n"
     "Finishes a play of GAME (tie, xvt, bop, xwa or 0 to 3; without it, of every game\n"
     "whose folder is set) that was cut short, as every play and load does first: the\n"
     "executable is put back when it is exactly the patched file the play left, the plain\n"
     "missions are removed. An executable changed since is left as it is and its backup\n"
     "kept under another name. Prints one line per game; --json prints one JSON object.\n"
     "The exit status is 1 when something is left that the player must see to.\n"},
    {"pilots",
     "usage: vantrel pilots [list] [--json]\n"
     "       vantrel pilots create NAME [--kz]\n"
     "       vantrel pilots delete NAME\n"
     "       vantrel pilots select NAME\n"
     "\n"
     "The X-Wing Alliance pilots. list prints one pilot a line, \"* \" before the one the\n"
     "game starts with and two blanks before the others; --json prints one JSON object.\n"
     "create makes a pilot of at most 11 characters (--kz: prepared for KZ battles),\n"
     "delete removes one after asking (--yes answers Yes), select makes one the pilot\n"
     "the game starts with.\n"},
    {"pack",
     "usage: vantrel pack --game GAME --name NAME [--key K] [--output FILE] FOLDER\n"
     "\n"
     "Makes a .kzm package of a folder of plain missions and extras: the battle list\n"
     "(GAME, the key, NAME and the missions), every *.tie file at the top of FOLDER\n"
     "enciphered with the key, and every other file and folder as it is. The missions\n"
     "go in the folder's order, or in the order of a missions.txt in FOLDER. K is 0 to\n"
     "255, random when not given. The package is FOLDER.kzm beside the folder unless\n"
     "--output names another; nothing is written when a name does not fit.\n"},
    {"inspect",
     "usage: vantrel inspect PACKAGE [--json]\n"
     "\n"
     "Shows what a package holds: the game, the battle's name, the key, the missions,\n"
     "where a load would stage each file, and every problem a player would meet. Writes\n"
     "nothing; the exit status is 1 when the package has problems. --json prints one\n"
     "JSON object.\n"},
    {"help",
     "usage: vantrel help [COMMAND]\n"
     "\n"
     "Prints the usage of vantrel, or of one command: folders, load, battles, play,\n"
     "repair, pilots, pack, inspect or help.\n"},
};

}  // namespace

const char* VersionText() { return "vantrel " VANTREL_VERSION "\n"; }

int HelpCommand(const Options&, const std::vector<std::string>& words) {
  if (words.empty()) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  if (words.size() > 1) return UsageError("help takes one COMMAND");
  for (const CommandHelp& help : kCommandHelp) {
    if (words[0] == help.name) {
      std::fwrite(help.text.data(), 1, help.text.size(), stdout);
      return 0;
    }
  }
  return UsageError("no command is named " + words[0] +
                    " (folders, load, battles, play, repair, pilots, pack, inspect, help)");
}

}  // namespace vantrel::cli
