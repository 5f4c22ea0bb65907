#pragma once

#include "script/ScriptModel.h"

// Reads the whole script file with no sharing and parses it. Throws SetupError: the system
// error code when the file cannot be opened or read (a locked file is first offered to the
// user for retry), 8001 when its size cannot be read, 8000 when it is not a readable script.
SetupScript LoadSetupScript(const char* scriptPath);
