#pragma once

#include "resources/ResourceMessageBox.h"
#include "script/ScriptModel.h"

#include <windows.h>

// The questions of the setup that every page and prompt shares; the plain string-table boxes
// are resources/ResourceMessageBox.h.

// The one cancel question that every Cancel button asks: IDYES or IDNO. Before the script is
// loaded (script null) it cannot show the script's texts and says "Unable to read setup.inf"
// instead.
[[nodiscard]] int ConfirmCancel(HWND owner, const SetupScript* script);

// Abort, Retry or Ignore for a file that is locked or cannot be opened, captioned with the
// product name (none before the script is loaded): IDABORT (confirmed with ConfirmCancel),
// IDRETRY (also for an Abort that was not confirmed) or IDIGNORE.
[[nodiscard]] int FileInUsePrompt(HWND owner, const SetupScript* script, const char* path);
