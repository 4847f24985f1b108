// ui_driver: drives the real windows of Vantrel's programs (VNTL.exe, Setup.exe,
// Uninstall.exe) from end-to-end tests, as a player would, under Windows or Wine.
//
// Usage:
//   ui_driver [--timeout SECONDS] COMMAND ARGUMENTS...   one command
//   ui_driver [--timeout SECONDS] -                        commands from stdin, one a line
//
// In the second form each line is one command; words are separated by blanks, and a word
// in double quotes may hold blanks (inside it \" and \\ stand for " and \, and any other
// backslash, as in a Windows path, stays as it is). Lines that are empty or start with #
// are skipped. The driver stops at the first command that fails, naming its line.
//
// WINDOW is the exact title of a shown top-level window, or CLASS::TITLE to ask for its
// window class too: "#32770::VNTL" is a dialog or message box titled VNTL. ID is a control
// or menu command id in decimal. Every command that needs a window or control waits for
// it up to the time limit (default 10 seconds; `timeout` changes it in a script).
//
// Commands:
//   wait WINDOW                    wait until the window is shown; prints its class and size
//   gone WINDOW                    wait until no window of that name is shown (the program
//                                  closed it or ended)
//   controls WINDOW                list its controls, one a line:
//                                  ID CLASS "TEXT" visible|hidden enabled|disabled, and
//                                  checked|unchecked for check boxes and radio buttons
//   text WINDOW ID                 print the control's text
//   expect-text WINDOW ID TEXT     wait until the control's text is exactly TEXT
//   set-text WINDOW ID TEXT        replace the control's text (an edit field's content)
//   click WINDOW ID                click the control: a button is pressed (a check box
//                                  toggles), any other control reports a click to its window
//   command WINDOW ID              send the command ID to the window, as its menu item does
//   menu-state WINDOW ID           print the state of the window's menu item ID:
//                                  checked|unchecked enabled|greyed
//   expect-menu WINDOW ID WORD...  wait until the menu item's state has every WORD
//                                  (checked, unchecked, enabled, greyed)
//   answer WINDOW BUTTON [TEXT]    a message box titled WINDOW: print its text, fail if TEXT
//                                  is given and differs, then press BUTTON (ok, cancel, yes,
//                                  no, abort, retry or ignore)
//   hover WINDOW ID                rest the mouse pointer on the control's centre; its
//                                  tooltip then shows as a window of class
//                                  tooltips_class32 titled with the tip's text:
//                                  wait "tooltips_class32::TEXT"
//   key WINDOW esc|enter           press the key in the window's focused control
//   close WINDOW                   close the window as its close box does
//   screenshot WINDOW FILE         save the window as FILE: PNG when FILE ends in .png, a
//                                  24-bit bitmap otherwise. Shown tooltips are put away
//                                  first; a part covered by another window (a menu, a
//                                  message box) comes out black under Wine
//   version FILE                   print the version resource of a program: one line each
//                                  for ProductName, CompanyName, FileDescription,
//                                  FileVersion, ProductVersion, as NAME: VALUE
//   timeout SECONDS                change the time limit for the commands that follow
//
// Exit status: 0 when every command succeeded, 1 when one failed (with a message on
// stderr naming what was not found in time or what differed), 2 for a usage error.
// Clicks, commands and answers reach the window as notifications: the driver does not
// wait for their handling, so a command whose handler opens a modal dialog, or waits for
// a game, never blocks it; yet the program handles them before any later request of the
// driver (a text or a check state), so what the driver reads next is their outcome. Keys
// are posted instead, since the dialog manager finds them only in the message queue.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <cwchar>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/command_line.h"
#include "platform/win32/text_win32.h"
#include "tests/e2e/owned_handle.h"
#include "tests/e2e/ui_driver_hook.h"
#include "tests/e2e/window_capture.h"
#include "tests/e2e/window_finder.h"

namespace vantrel::e2e {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// A command that cannot be carried out; its text goes to stderr.
struct Failure {
  std::string message;
};

// Arguments that do not fit a command.
struct UsageError {
  std::string message;
};

class Driver {
 public:
  void Run(const std::vector<std::string>& words);

 private:
  HWND Window(const std::string& name);
  HWND ControlOf(HWND window, const std::string& idText);
  std::optional<std::string> MenuState(HWND window, int id);

  void Wait(const std::string& name);
  void Gone(const std::string& name);
  void ListControls(const std::string& name);
  void ExpectText(const std::string& name, const std::string& id, const std::string& text);
  void Click(const std::string& name, const std::string& id);
  void ExpectMenu(const std::string& name, const std::string& id,
                  const std::vector<std::string>& words);
  void Answer(const std::string& name, const std::string& button,
              const std::optional<std::string>& expected);
  void Key(const std::string& name, const std::string& key);
  void Hover(const std::string& name, const std::string& id);
  void Shoot(const std::string& name, const std::string& file);
  void Version(const std::string& file);

  std::chrono::milliseconds limit_{10000};
};

std::string Seconds(std::chrono::milliseconds limit) {
  std::ostringstream text;
  text << limit.count() / 1000.0 << " s";
  return text.str();
}

int ParseNumber(const std::string& text, const char* what) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(text, &used, 10);
    if (used == text.size()) return value;
  } catch (const std::exception&) {
  }
  throw UsageError{std::string(what) + " must be a number: \"" + text + "\""};
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(window, message, wParam, lParam)) {
    throw Failure{"cannot post to the window: " + platform::win32::ErrorText(GetLastError())};
  }
}

// Sent messages from one thread reach another in the order sent, and before its posted
// ones; a notification is a sent message whose handling the sender does not wait for.
void Notify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!SendNotifyMessageW(window, message, wParam, lParam)) {
    throw Failure{"cannot reach the window: " + platform::win32::ErrorText(GetLastError())};
  }
}

void PopTooltip(HWND tip) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(tip, TTM_POP, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

HWND Driver::Window(const std::string& name) {
  const WindowName wanted = ParseWindowName(name);
  auto found = Poll(limit_, [&]() -> std::optional<HWND> {
    auto windows = FindWindows(wanted);
    if (windows.empty()) return std::nullopt;
    return windows.front();
  });
  if (!found) {
    // Naming what is shown instead tells a wrong title from a window that never came.
    std::string shown;
    for (HWND window : ShownWindows()) {
      shown += (shown.empty() ? "" : ", ") + ClassName(window) + "::" + Quoted(WindowText(window));
    }
    throw Failure{"no " + Describe(wanted) + " shown within " + Seconds(limit_) + " (shown: " +
                  (shown.empty() ? "none" : shown) + ")"};
  }
  return *found;
}

HWND Driver::ControlOf(HWND window, const std::string& idText) {
  const int id = ParseNumber(idText, "a control id");
  auto found = Poll(limit_, [&]() -> std::optional<HWND> {
    if (HWND control = FindControl(window, id)) return control;
    return std::nullopt;
  });
  if (!found) {
    throw Failure{"no control " + idText + " in window \"" + WindowText(window) + "\" within " +
                  Seconds(limit_)};
  }
  return *found;
}

using Library = Owned<HMODULE, FreeLibrary>;
using Hook = Owned<HHOOK, UnhookWindowsHookEx>;

// Windows lets GetMenuState read another program's menu; Wine does not, so there the hook
// beside the driver reads it from inside the program (see ui_driver_hook.cpp).
std::optional<UINT> MenuStateThroughHook(HWND window, int id) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  path = path.substr(0, path.find_last_of(L'\\') + 1) + kHookFile;
  Library library(LoadLibraryW(path.c_str()));
  if (!library) {
    throw Failure{"cannot load " + Narrow(path) + ": " +
                  platform::win32::ErrorText(GetLastError())};
  }
  auto procedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(library.get(), kHookProcedure)));
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  Hook hook(procedure ? SetWindowsHookExW(WH_CALLWNDPROC, procedure, library.get(), thread)
                      : nullptr);
  if (!hook) throw Failure{"cannot hook the window's thread to read its menu"};
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, RegisterWindowMessageW(kMenuStateMessage), id, 0, SMTO_ABORTIFHUNG,
                      2000, &answer);
  if (answer & kMenuItemFound) return static_cast<UINT>(answer & ~kMenuItemFound);
  return std::nullopt;
}

std::optional<std::string> Driver::MenuState(HWND window, int id) {
  std::optional<UINT> read;
  HMENU menu = GetMenu(window);
  const UINT direct = menu ? GetMenuState(menu, id, MF_BYCOMMAND) : UINT(-1);
  if (direct != UINT(-1)) {
    read = direct;
  } else {
    read = MenuStateThroughHook(window, id);
  }
  if (!read) return std::nullopt;
  const UINT state = *read;
  std::string text = (state & MF_CHECKED) ? "checked" : "unchecked";
  text += (state & (MF_GRAYED | MF_DISABLED)) ? " greyed" : " enabled";
  return text;
}

void Driver::Wait(const std::string& name) {
  HWND window = Window(name);
  RECT frame{};
  GetWindowRect(window, &frame);
  std::cout << "shown: " << Quoted(WindowText(window)) << " class " << ClassName(window) << ' '
            << frame.right - frame.left << 'x' << frame.bottom - frame.top << '\n';
}

void Driver::Gone(const std::string& name) {
  const WindowName wanted = ParseWindowName(name);
  const bool gone = Poll(limit_, [&] { return FindWindows(wanted).empty(); });
  if (!gone) throw Failure{Describe(wanted) + " still shown after " + Seconds(limit_)};
}

void Driver::ListControls(const std::string& name) {
  for (const Control& control : Controls(Window(name))) {
    std::cout << control.id << ' ' << control.className << ' ' << Quoted(control.text) << ' '
              << (control.visible ? "visible" : "hidden") << ' '
              << (control.enabled ? "enabled" : "disabled");
    if (control.checked) std::cout << (*control.checked ? " checked" : " unchecked");
    std::cout << '\n';
  }
}

void Driver::ExpectText(const std::string& name, const std::string& id, const std::string& text) {
  HWND control = ControlOf(Window(name), id);
  std::string last;
  const bool matched = Poll(limit_, [&] { return (last = WindowText(control)) == text; });
  if (!matched) {
    throw Failure{"control " + id + " shows " + Quoted(last) + ", not " + Quoted(text) +
                  " after " + Seconds(limit_)};
  }
}

void Driver::Click(const std::string& name, const std::string& id) {
  HWND window = Window(name);
  HWND control = ControlOf(window, id);
  if (ClassName(control) == "Button") {
    Notify(control, BM_CLICK, 0, 0);
  } else {
    // A static control that reports clicks tells its window with STN_CLICKED, which is 0.
    Notify(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
         reinterpret_cast<LPARAM>(control));
  }
}

void Driver::ExpectMenu(const std::string& name, const std::string& id,
                        const std::vector<std::string>& words) {
  HWND window = Window(name);
  const int command = ParseNumber(id, "a menu command id");
  std::optional<std::string> state;
  const bool matched = Poll(limit_, [&] {
    state = MenuState(window, command);
    if (!state) return false;
    for (const std::string& word : words) {
      if ((" " + *state + " ").find(" " + word + " ") == std::string::npos) return false;
    }
    return true;
  });
  if (!state) throw Failure{"window \"" + name + "\" has no menu item " + id + " that can be read"};
  if (!matched) throw Failure{"menu item " + id + " is " + *state + " after " + Seconds(limit_)};
}

void Driver::Answer(const std::string& name, const std::string& button,
                    const std::optional<std::string>& expected) {
  static const std::map<std::string, int> kButtons = {
      {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},      {"no", IDNO},
      {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE}};
  const auto pressed = kButtons.find(button);
  if (pressed == kButtons.end()) throw UsageError{"no such message box button: " + button};

  WindowName wanted = ParseWindowName(name);
  if (wanted.className.empty()) wanted.className = "#32770";
  HWND box = Window(wanted.className + "::" + wanted.title);
  // The message is the static text with id 0xFFFF, as Windows and Wine lay the box out;
  // failing that, the longest static text in the box.
  std::string message;
  for (const Control& control : Controls(box)) {
    if (control.className != "Static") continue;
    if ((control.id & 0xFFFF) == 0xFFFF && !control.text.empty()) {
      message = control.text;
      break;
    }
    if (control.text.size() > message.size()) message = control.text;
  }
  std::cout << message << '\n';
  if (expected && *expected != message) {
    throw Failure{"the message box says " + Quoted(message) + ", not " + Quoted(*expected)};
  }
  if (!FindControl(box, pressed->second)) {
    throw Failure{"the message box has no " + button + " button"};
  }
  Notify(box, WM_COMMAND, MAKEWPARAM(pressed->second, BN_CLICKED),
       reinterpret_cast<LPARAM>(FindControl(box, pressed->second)));
}

void Driver::Key(const std::string& name, const std::string& key) {
  WPARAM code = 0;
  if (key == "esc") {
    code = VK_ESCAPE;
  } else if (key == "enter") {
    code = VK_RETURN;
  } else {
    throw UsageError{"no such key: " + key + " (esc or enter)"};
  }
  HWND window = Window(name);
  // The dialog manager looks for keys in the messages of the focused control.
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  HWND target = window;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus &&
      (thread.hwndFocus == window || IsChild(window, thread.hwndFocus))) {
    target = thread.hwndFocus;
  }
  const LPARAM scan =
      static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC)) << 16;
  Post(target, WM_KEYDOWN, code, scan | 1);
  Post(target, WM_KEYUP, code, scan | 1 | (1u << 30) | (1u << 31));
}

void Driver::Hover(const std::string& name, const std::string& id) {
  HWND control = ControlOf(Window(name), id);
  RECT area{};
  GetClientRect(control, &area);
  POINT centre{(area.right - area.left) / 2, (area.bottom - area.top) / 2};
  const POINT inControl = centre;
  ClientToScreen(control, &centre);
  // A tooltip starts its delay on the control's mouse move, and shows only if the pointer
  // is still over the control then; so the pointer moves there, and the move is told too.
  if (!SetCursorPos(centre.x, centre.y)) {
    throw Failure{"cannot move the mouse pointer: " + platform::win32::ErrorText(GetLastError())};
  }
  Post(control, WM_MOUSEMOVE, 0, MAKELPARAM(inControl.x, inControl.y));
}

void Driver::Shoot(const std::string& name, const std::string& file) {
  HWND window = Window(name);
  // A tooltip left up by the mouse pointer would cover part of the window, and under Wine
  // a covered part reads black; tooltips are put away first.
  for (HWND shown : ShownWindows()) {
    if (ClassName(shown) == "tooltips_class32") PopTooltip(shown);
  }
  // A window just shown, or just uncovered, may not have painted yet. Its program paints
  // when its queue runs empty, so two round trips a moment apart let it catch up.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  Sleep(100);
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  auto picture = CaptureWindow(window);
  if (!picture) throw Failure{"cannot copy the pixels of window \"" + name + "\""};
  const std::string problem = SaveScreenshot(*picture, file);
  if (!problem.empty()) throw Failure{problem};
  std::cout << "saved " << file << " (" << picture->width << 'x' << picture->height << ")\n";
}

void Driver::Version(const std::string& file) {
  const auto path = Widen(file);
  if (!path) throw UsageError{"the file name is not valid UTF-8"};
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path->c_str(), &handle);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoW(path->c_str(), 0, size, block.data())) {
    throw Failure{file + " has no version resource: " +
                  platform::win32::ErrorText(GetLastError())};
  }
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation)) {
    throw Failure{file + " has a version resource without a translation"};
  }
  wchar_t prefix[64];
  swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
           translation->codePage);
  for (const wchar_t* name :
       {L"ProductName", L"CompanyName", L"FileDescription", L"FileVersion", L"ProductVersion"}) {
    wchar_t* value = nullptr;
    UINT valueLength = 0;
    const std::wstring key = std::wstring(prefix) + name;
    std::string text;
    if (VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &valueLength) &&
        valueLength > 0) {
      text = Narrow(std::wstring_view(value, valueLength - 1));
    }
    std::cout << Narrow(name) << ": " << text << '\n';
  }
}

void Driver::Run(const std::vector<std::string>& words) {
  using Words = std::vector<std::string>;
  // Each command with the fewest and most arguments it takes, and what it does.
  struct Command {
    std::size_t least;
    std::size_t most;
    std::function<void(Driver&, const Words&)> run;
  };
  static const std::map<std::string, Command> kCommands = {
      {"wait", {1, 1, [](Driver& d, const Words& w) { d.Wait(w[1]); }}},
      {"gone", {1, 1, [](Driver& d, const Words& w) { d.Gone(w[1]); }}},
      {"controls", {1, 1, [](Driver& d, const Words& w) { d.ListControls(w[1]); }}},
      {"text", {2, 2, [](Driver& d, const Words& w) {
         std::cout << WindowText(d.ControlOf(d.Window(w[1]), w[2])) << '\n';
       }}},
      {"expect-text", {3, 3, [](Driver& d, const Words& w) { d.ExpectText(w[1], w[2], w[3]); }}},
      {"set-text", {3, 3, [](Driver& d, const Words& w) {
         HWND control = d.ControlOf(d.Window(w[1]), w[2]);
         const auto text = Widen(w[3]);
         if (!text) throw UsageError{"the text is not valid UTF-8"};
         DWORD_PTR result = 0;
         if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()),
                                  SMTO_ABORTIFHUNG, 2000, &result) ||
             !result) {
           throw Failure{"control " + w[2] + " did not take the text"};
         }
       }}},
      {"click", {2, 2, [](Driver& d, const Words& w) { d.Click(w[1], w[2]); }}},
      {"command", {2, 2, [](Driver& d, const Words& w) {
         Notify(d.Window(w[1]), WM_COMMAND, MAKEWPARAM(ParseNumber(w[2], "a command id"), 0), 0);
       }}},
      {"menu-state", {2, 2, [](Driver& d, const Words& w) {
         auto state = d.MenuState(d.Window(w[1]), ParseNumber(w[2], "a menu command id"));
         if (!state) {
           throw Failure{"window \"" + w[1] + "\" has no menu item " + w[2] + " that can be read"};
         }
         std::cout << *state << '\n';
       }}},
      {"expect-menu", {0, SIZE_MAX, [](Driver& d, const Words& w) {
         if (w.size() < 4) throw UsageError{"expect-menu needs WINDOW ID and at least one state"};
         d.ExpectMenu(w[1], w[2], {w.begin() + 3, w.end()});
       }}},
      {"answer", {2, 3, [](Driver& d, const Words& w) {
         d.Answer(w[1], w[2], w.size() == 4 ? std::optional<std::string>(w[3]) : std::nullopt);
       }}},
      {"hover", {2, 2, [](Driver& d, const Words& w) { d.Hover(w[1], w[2]); }}},
      {"key", {2, 2, [](Driver& d, const Words& w) { d.Key(w[1], w[2]); }}},
      {"close", {1, 1, [](Driver& d, const Words& w) {
         Notify(d.Window(w[1]), WM_SYSCOMMAND, SC_CLOSE, 0);
       }}},
      {"screenshot", {2, 2, [](Driver& d, const Words& w) { d.Shoot(w[1], w[2]); }}},
      {"version", {1, 1, [](Driver& d, const Words& w) { d.Version(w[1]); }}},
      {"timeout", {1, 1, [](Driver& d, const Words& w) {
         d.limit_ = std::chrono::seconds(ParseNumber(w[1], "the time limit"));
       }}},
  };
  const auto found = kCommands.find(words.at(0));
  if (found == kCommands.end()) throw UsageError{"unknown command: " + words[0]};
  const Command& command = found->second;
  if (words.size() - 1 < command.least || words.size() - 1 > command.most) {
    throw UsageError{"wrong number of arguments for " + words[0]};
  }
  command.run(*this, words);
}

// One script line as words: blanks separate them, double quotes hold blanks, and inside
// quotes \" and \\ stand for " and \; any other backslash is kept, so that Windows paths
// need no doubling.
std::vector<std::string> SplitLine(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
        word.push_back(line[++i]);
      } else if (c == '"') {
        quoted = false;
      } else {
        word.push_back(c);
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word.push_back(c);
      inWord = true;
    }
  }
  if (quoted) throw UsageError{"a quote is not closed"};
  if (inWord) words.push_back(word);
  return words;
}

int Main(std::vector<std::string> arguments) {
  Driver driver;
  std::size_t first = 0;
  if (arguments.size() >= 2 && arguments[0] == "--timeout") {
    try {
      driver.Run({"timeout", arguments[1]});
    } catch (const UsageError& error) {
      std::cerr << "ui_driver: " << error.message << '\n';
      return 2;
    }
    first = 2;
  }
  if (first >= arguments.size()) {
    std::cerr << "usage: ui_driver [--timeout SECONDS] COMMAND ARGUMENTS... | -\n"
                 "(the commands are listed at the top of tests/e2e/ui_driver.cpp)\n";
    return 2;
  }

  auto runOne = [&](const std::vector<std::string>& words, const std::string& where) {
    try {
      driver.Run(words);
      std::cout.flush();
      return 0;
    } catch (const Failure& failure) {
      std::cout.flush();
      std::cerr << "ui_driver: " << where << failure.message << '\n';
      return 1;
    } catch (const UsageError& error) {
      std::cerr << "ui_driver: " << where << error.message << '\n';
      return 2;
    }
  };

  if (arguments[first] != "-") {
    return runOne({arguments.begin() + first, arguments.end()}, "");
  }
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    const std::string where = "line " + std::to_string(number) + ": ";
    std::vector<std::string> words;
    try {
      words = SplitLine(line);
    } catch (const UsageError& error) {
      std::cerr << "ui_driver: " << where << error.message << '\n';
      return 2;
    }
    if (words.empty() || words[0].front() == '#') continue;
    if (const int status = runOne(words, where)) return status;
  }
  return 0;
}

}  // namespace
}  // namespace vantrel::e2e

int main(int argc, char** argv) {
  return vantrel::e2e::Main(vantrel::platform::CommandLineArguments(argc, argv));
}
