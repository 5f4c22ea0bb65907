#pragma once

#include <windows.h>

// The message boxes of the setup. Each of them first restores MainWindow when it is minimised,
// so that a question never waits behind an icon.

// Restores MainWindow (g_setup.mainWindow) when it is minimised; nothing when there is none.
void RestoreMainWindow();

// A message box with text and caption from the string table (text up to 767 characters,
// caption up to 255). Returns the button pressed, as MessageBoxA does.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style);

// The same with a caption given as text.
int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style);

// The one cancel question that every Cancel button asks: IDYES or IDNO. Before the script is
// loaded it cannot show the script's texts and says "Unable to read setup.inf" instead.
[[nodiscard]] int ConfirmCancel(HWND owner);

// Abort, Retry or Ignore for a file that is locked or cannot be opened: IDABORT (confirmed
// with ConfirmCancel), IDRETRY (also for an Abort that was not confirmed) or IDIGNORE.
[[nodiscard]] int FileInUsePrompt(const char* path);
