#pragma once

#include <windows.h>

// Template 120: Typical, Minimal and Custom with the script's labels; the types the script does
// not offer are hidden and the others move up.
INT_PTR CALLBACK SetupTypePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
