#pragma once

#include <windows.h>

// Template 116: the script's components in the owner-drawn option list, each with a check box
// that selects it for installation, its description and the space its drive needs and has.
INT_PTR CALLBACK CustomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
