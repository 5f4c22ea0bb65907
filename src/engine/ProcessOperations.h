#pragma once

#include "script/SetupError.h"

#include <string_view>

// Starts commandLine (showMode: an SW_ value) in workingDirectory (empty: this process's
// current directory) and returns when the program has ended. While it runs the window
// messages of this thread are dispatched every 50 ms, so window procedures run inside this
// call. Fails with 73 when the program cannot be started.
Failure RunProgramAndWait(std::string_view commandLine, int showMode,
                          std::string_view workingDirectory);

// Starts commandLine like RunProgramAndWait but returns at once; a program that cannot be
// started is not reported.
void RunProgram(std::string_view commandLine, int showMode, std::string_view workingDirectory);
