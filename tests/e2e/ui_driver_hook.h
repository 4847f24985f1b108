// What the end-to-end driver and its hook inside the program under test agree on: the
// message that asks for a menu item's state, and the shape of the answer.
#pragma once

#include <windows.h>

// Sent to a window with the item's command id as WPARAM.
inline constexpr const wchar_t* kMenuStateMessage = L"Vantrel.UiDriver.MenuState";
// The answer: kMenuItemFound with GetMenuState's flags in the low bits, or
// kMenuItemMissing; 0 means the hook did not run.
inline constexpr LRESULT kMenuItemFound = 0x40000000;
inline constexpr LRESULT kMenuItemMissing = 0x20000000;
// The hook's file beside ui_driver.exe, and its exported procedure.
inline constexpr const wchar_t* kHookFile = L"ui_driver_hook.dll";
inline constexpr const char* kHookProcedure = "MenuStateHook";
