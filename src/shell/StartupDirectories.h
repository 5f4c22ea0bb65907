#pragma once

#include "script/SetupError.h"

// Fills the state's standard directories, source directory and script path at start-up, in
// that order. Fails with 5000 when the Windows directory's volume does not answer.
Failure ComputeStartupDirectories();
