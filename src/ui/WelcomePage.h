#pragma once

#include <windows.h>

// Template 143: the script's welcome title and text; Back is disabled.
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
