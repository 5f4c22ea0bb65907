#pragma once

#include <windows.h>

// Template 100: shows the destination directory; it changes only through Browse and is
// validated on Next.
INT_PTR CALLBACK DestinationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
