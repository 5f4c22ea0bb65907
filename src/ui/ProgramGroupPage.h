#pragma once

#include <windows.h>

// Template 110: the name of the script's one program group, which the user may change or
// replace by a group the shell already has, or no group at all.
INT_PTR CALLBACK ProgramGroupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
