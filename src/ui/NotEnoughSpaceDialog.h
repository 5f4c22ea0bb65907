#pragma once

#include "script/ScriptModel.h"

#include <windows.h>

// Tells that a drive lacks space (message, formatted by the caller), modal over owner
// (MainWindow, restored first when minimised), captioned with the script's product name
// (script null: not loaded yet): 1 to install anyway (Continue), IDC_SPACE_BACK (1019) to go
// back to the destination page, IDABORT (3) to end after a confirmed Exit.
[[nodiscard]] INT_PTR NotEnoughSpaceDialog(HWND owner, const SetupScript* script,
                                           const char* message);
