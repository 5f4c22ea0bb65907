#pragma once

#include <windows.h>

// Template 1053: the script's read-me file from the source directory, as it stands.
INT_PTR CALLBACK ReadmePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
