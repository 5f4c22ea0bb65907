#pragma once

#include <windows.h>

// The message boxes of the setup with texts from the string table. Each of them first restores
// MainWindow, the root owner of every window that owns a box, when it is minimised, so that a
// question never waits behind an icon.

// Every message box of the setup: MessageBoxA, or, while a silent answerer is set, the
// answerer, which tells no one but the log and gives the answer of an unattended run.
int SetupMessageBox(HWND owner, const char* text, const char* caption, UINT style);

using SilentAnswerer = int (*)(const char* text, const char* caption, UINT style);

// Sets the answerer of every later box (nullptr: the boxes are shown again).
void SetSilentAnswerer(SilentAnswerer answerer);

// Restores the root owner of owner (MainWindow) when it is minimised; nothing without owner.
void RestoreMainWindow(HWND owner);

// A message box with text and caption from the string table (text up to 767 characters,
// caption up to 255). Returns the button pressed, as MessageBoxA does.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style);

// The same with a caption given as text.
int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style);
