#pragma once

#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <windows.h>

// Tells that a drive lacks space (message, formatted by the caller), modal over owner
// (MainWindow, restored first when minimised), captioned with the script's product name
// (script null: not loaded yet), into result: 1 to install anyway (Continue), IDC_SPACE_BACK
// (1019) to go back to the destination page, IDABORT (3) to end after a confirmed Exit. Fails
// as RunModalDialog does.
Failure NotEnoughSpaceDialog(HWND owner, const SetupScript* script, const char* message,
                             INT_PTR& result);
