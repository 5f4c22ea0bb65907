#pragma once

#include <windows.h>

// The system's file-open dialog with template 1536, reduced to directory navigation. Returns
// true when the user confirmed a valid directory, which is then already the destination.
bool BrowseDirectoryDialog(HWND owner, const char* initialDirectory);
