#pragma once

#include "script/ScriptModel.h"

#include <windows.h>

// The message boxes of the setup. Each of them first restores MainWindow when it is minimised,
// so that a question never waits behind an icon. MainWindow is the root owner of every window
// that owns a box.

// Restores the root owner of owner (MainWindow) when it is minimised; nothing without owner.
void RestoreMainWindow(HWND owner);

// A message box with text and caption from the string table (text up to 767 characters,
// caption up to 255). Returns the button pressed, as MessageBoxA does.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style);

// The same with a caption given as text.
int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style);

// The one cancel question that every Cancel button asks: IDYES or IDNO. Before the script is
// loaded (script null) it cannot show the script's texts and says "Unable to read setup.inf"
// instead.
[[nodiscard]] int ConfirmCancel(HWND owner, const SetupScript* script);

// Abort, Retry or Ignore for a file that is locked or cannot be opened, captioned with the
// product name (none before the script is loaded): IDABORT (confirmed with ConfirmCancel),
// IDRETRY (also for an Abort that was not confirmed) or IDIGNORE.
[[nodiscard]] int FileInUsePrompt(HWND owner, const SetupScript* script, const char* path);
