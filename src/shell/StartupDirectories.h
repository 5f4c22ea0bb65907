#pragma once

// Fills the state's standard directories, source directory and script path at start-up, in
// that order. Throws SetupError 5000 when the Windows directory's volume does not answer.
void ComputeStartupDirectories();
