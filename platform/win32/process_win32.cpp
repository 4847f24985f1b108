// Starting a game on Windows with CreateProcessW. The program's path is given to the
// system twice: as the application name, so that no other file can run in its place, and
// quoted as the first word of the command line, which is where a game reads its own name
// and its arguments. Unquoted, a path such as "C:\Program Files\Game\GAME.EXE" would be
// tried word by word, and a file "C:\Program.exe" would start instead of the game.
#include "platform/process.h"

#include "platform/path.h"
#include "platform/win32/interruption_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform {
namespace {

// One word of a command line as the C runtime splits it again: kept as it is when it
// needs no quotes, otherwise in double quotes, with a backslash before every quote and
// the backslashes that precede a quote (or the closing one) doubled.
std::wstring QuoteWord(const std::wstring& word, bool always) {
  if (!always && !word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) {
    return word;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

}  // namespace

std::optional<int> RunAndWait(const GameProcess& process) {
  const std::optional<std::wstring> program = win32::WidePath(process.program);
  if (!program) return std::nullopt;
  std::optional<std::wstring> folder;
  if (!process.workingFolder.empty()) {
    folder = win32::WidePath(process.workingFolder);
    if (!folder) return std::nullopt;
  }
  std::wstring commandLine = QuoteWord(*program, true);
  for (const std::string& argument : process.arguments) {
    const std::optional<std::wstring> wide = win32::Widen(argument);
    if (!wide || wide->find(L'\0') != std::wstring::npos) return std::nullopt;
    commandLine += L' ';
    commandLine += QuoteWord(*wide, false);
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION started{};
  // CreateProcessW may write into the command line, so it gets the string's own buffer.
  if (!CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS, nullptr, folder ? folder->c_str() : nullptr,
                      &startup, &started)) {
    return std::nullopt;
  }
  const win32::KernelHandle game(started.hProcess);
  const win32::KernelHandle thread(started.hThread);
  // A request to end caught meanwhile (platform/interruption.h) ends the game, so that
  // the launcher can put the player's files back.
  win32::SetWaitedForGame(game.get());
  WaitForSingleObject(game.get(), INFINITE);
  win32::SetWaitedForGame(nullptr);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(game.get(), &exitCode)) return -1;
  return static_cast<int>(exitCode);
}

}  // namespace vantrel::platform
