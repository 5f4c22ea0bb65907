#pragma once

#include "script/ScriptModel.h"

#include <windows.h>

// The two exports of the system-file editing library EDITSYS.DLL, which the script installs
// into the destination directory. Both use the platform's WINAPI convention; the program is
// 32-bit, so every argument is 32 bits wide.

// Init(owner window, application title), called once before any change; its result is not
// used.
using EditsysInitFunction = LONG(WINAPI*)(HWND owner, LPCSTR applicationTitle);

// MakeSystemFileChange(code, text, integer 1 .. integer 4). For a record the code is its change
// code 1 to 11 and the result is not used. The final call (code 1701) passes a buffer's
// address and size as integers 2 and 3 and answers nonzero when the changes succeeded.
using MakeSystemFileChangeFunction = LONG(WINAPI*)(LONG code, LPCSTR text, LONG_PTR first,
                                                   LONG_PTR second, LONG_PTR third,
                                                   LONG_PTR fourth);

inline constexpr LONG kFinishSystemFileChanges = 1701;

// Hands one record to makeChange with the arguments its change code asks for. Nothing is
// called when the library has no MakeSystemFileChange (makeChange is null).
void ApplySystemFileChange(const SystemFileChange& record, MakeSystemFileChangeFunction makeChange);
