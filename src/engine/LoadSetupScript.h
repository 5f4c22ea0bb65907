#pragma once

#include "script/ScriptModel.h"
#include "script/SetupError.h"

// Reads the whole script file with no sharing and parses it into script. Fails with the
// system error code when the file cannot be opened or read (a locked file is first offered to
// the user for retry), 8001 when its size cannot be read, 8000 when it is not a readable
// script.
Failure LoadSetupScript(const char* scriptPath, SetupScript& script);
