// The commands of `vantrel`. Each takes the words after its name and returns the exit
// status: 0 done, 1 failed (with a one-line reason on stderr), 2 bad arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "core/game_table.h"
#include "platform/system_error.h"
#include "ui/console/console_desktop.h"

namespace vantrel::platform {
template <>
ui::ConsoleWindow& Service<ui::ConsoleWindow>::Default();
}  // namespace vantrel::platform

namespace vantrel::cli {

int FoldersCommand(const Options& options, const std::vector<std::string>& words);
int LoadCommand(const Options& options, const std::vector<std::string>& words);
int BattlesCommand(const Options& options, const std::vector<std::string>& words);

// The four lines of `vantrel battles` on stdout: tie, xvt, bop and xwa, each with a tab
// and the name of the battle installed for that game, or "No battle installed".
void PrintInstalledBattles();

// A one-line reason on stderr, "vantrel: TEXT"; returns exit status 1.
int Fail(const std::string& reason);
// The same with the cause after a colon, where one is known: "cannot open package
// /x/b.kzm: No such file or directory". The cause's path is named too when the reason
// does not already name it.
int Fail(const std::string& reason, const std::optional<platform::Failure>& cause);
// The reason with its cause after a colon, as Fail prints it; the reason alone without one.
std::string WithCause(const std::string& reason, const std::optional<platform::Failure>& cause);

int PlayCommand(const Options& options, const std::vector<std::string>& words);
int PilotsCommand(const Options& options, const std::vector<std::string>& words);
// `vantrel help [COMMAND]`.
int HelpCommand(const Options& options, const std::vector<std::string>& words);

// "the folder of GAME is not set (vantrel folders set NAME PATH)" on stderr; returns 1.
int FailFolderUnset(GameId game);
// The same for the launcher folder.
int FailLauncherFolderUnset();

// For battle authors and Linux players: `pack`, `inspect` and `folders detect`.
int PackCommand(const Options& options, const std::vector<std::string>& words);
int InspectCommand(const Options& options, const std::vector<std::string>& words);
// `folders detect [--wine-prefix DIR]... [--set]`; `words` begins with "detect".
int DetectCommand(const Options& options, const std::vector<std::string>& words);

// The window the launcher's operations report to: the main window of a run of `vantrel`
// (installed with ScopedService<ui::ConsoleWindow>), with its status line.
inline ui::ConsoleWindow& MainWindow() { return platform::Service<ui::ConsoleWindow>::Get(); }

}  // namespace vantrel::cli
