#pragma once

#include <windows.h>

// The message boxes of the setup with texts from the string table. Each of them first restores
// MainWindow, the root owner of every window that owns a box, when it is minimised, so that a
// question never waits behind an icon.

// Restores the root owner of owner (MainWindow) when it is minimised; nothing without owner.
void RestoreMainWindow(HWND owner);

// A message box with text and caption from the string table (text up to 767 characters,
// caption up to 255). Returns the button pressed, as MessageBoxA does.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style);

// The same with a caption given as text.
int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style);
