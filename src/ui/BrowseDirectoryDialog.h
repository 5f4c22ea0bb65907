#pragma once

#include "script/FixedText.h"

#include <windows.h>

// The system's file-open dialog with template 1536, reduced to directory navigation, titled
// with the product name. Returns true when the user confirmed a valid directory, which has then
// already been stored in destination (as its full path).
bool BrowseDirectoryDialog(HWND owner, const char* initialDirectory, const char* productName,
                           FixedText& destination);
