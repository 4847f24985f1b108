// The Balance of Power pilot mark, set by the main window's timer while a Balance of
// Power battle is played: one byte of the first pilot file ("*.pl2") the folder search
// returns.
#pragma once

namespace vantrel {

// Sets the byte at 0x12782 of the first "*.pl2" file in the Balance of Power folder to
// 01. Nothing happens when there is none, when it cannot be opened for writing, or when
// it is too short to hold that byte; the other pilot files are never changed.
void MarkBopPilot();

}  // namespace vantrel
