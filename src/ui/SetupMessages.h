#pragma once

#include <windows.h>

// The private messages with which the pages and the flow hand control to each other. All but
// two are posted to MainWindow with lParam 0.
inline constexpr UINT WM_SETUP_START = WM_USER + 1;
inline constexpr UINT WM_SETUP_ABORT = WM_USER + 3;
inline constexpr UINT WM_PROGRESS_FILES = WM_USER + 4; // sent to the progress window
inline constexpr UINT WM_SHOW_DESTINATION = WM_USER + 5;
inline constexpr UINT WM_GROUP_CHOSEN = WM_USER + 6;
inline constexpr UINT WM_OPTION_TOGGLED = WM_USER + 7; // sent by the option list to its page
inline constexpr UINT WM_SHOW_CUSTOM = WM_USER + 8;
inline constexpr UINT WM_SHOW_WELCOME = WM_USER + 9;
inline constexpr UINT WM_GROUP_STEP = WM_USER + 10;
inline constexpr UINT WM_DESTINATION_CHOSEN = WM_USER + 11;
inline constexpr UINT WM_SHOW_SETUP_TYPE = WM_USER + 12;
inline constexpr UINT WM_SHOW_README = WM_USER + 13; // wParam 1 forward, 0 back
