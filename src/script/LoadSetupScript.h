#pragma once

#include "script/ScriptModel.h"

#include <cstdint>
#include <vector>

// Reads the whole script file with no sharing and parses it. Throws SetupError: the system
// error code when the file cannot be opened or read, 8001 when its size cannot be read, 8000
// when it is not a readable script.
SetupScript LoadSetupScript(const char* scriptPath);

// The file's bytes, read with one call. Throws as LoadSetupScript does.
std::vector<std::uint8_t> ReadScriptImage(const char* scriptPath);
