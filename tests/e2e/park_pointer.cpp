// park_pointer: moves the mouse pointer to the top left corner of the screen, so that no
// tooltip of the window under it shows in an end-to-end test's screenshot. Xvfb starts
// with the pointer in the middle of the screen, where centred dialogs are.
#include <windows.h>

int main() { return SetCursorPos(0, 0) ? 0 : 1; }
