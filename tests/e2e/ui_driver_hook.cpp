// ui_driver_hook.dll: the part of the end-to-end driver that runs inside the program
// under test. Wine keeps a program's menus to that program, so the driver cannot read a
// menu item's state from outside; it installs this hook on the window's thread and sends
// the window the registered message below, whose WPARAM is the item's command id. The
// hook answers with the item's state before the window sees the message.
#include <windows.h>

#include "tests/e2e/ui_driver_hook.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuStateHook(int code, WPARAM wParam,
                                                                LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == RegisterWindowMessageW(kMenuStateMessage) && InSendMessage()) {
      HMENU menu = GetMenu(message->hwnd);
      const UINT state =
          menu ? GetMenuState(menu, static_cast<UINT>(message->wParam), MF_BYCOMMAND) : UINT(-1);
      ReplyMessage(state == UINT(-1) ? kMenuItemMissing : kMenuItemFound | state);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
