#pragma once

#include <windows.h>

// Asks for the disk labelled diskLabel, modal over MainWindow, with the source directory to
// read it from: 1 once a valid directory has been stored in sourceDirectory (as a full path),
// IDCANCEL after a confirmed cancel.
[[nodiscard]] INT_PTR DiskPromptDialog(const char* diskLabel);
