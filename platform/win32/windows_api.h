// <windows.h> as the Win32 files of this system include it. Windows defines CopyFile,
// MoveFile and DeleteFile as macros for its ANSI or wide calls, which would rename the
// FileSystem operations of the same names wherever both are seen; they are undefined
// here, and the Win32 calls are always spelt out with their W suffix.
#pragma once

#include <windows.h>

#undef CopyFile
#undef MoveFile
#undef DeleteFile
