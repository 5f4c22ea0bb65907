#pragma once

// The directories the path macros stand for, computed once at start-up into g_setup, in this
// order and before the script is loaded.

// windowsDirectory, systemDirectory, temporaryDirectory (with its trailing backslash) and
// programFilesDirectory (the Windows volume's root joined with "Program Files"). When the
// system directory lies on a remote drive, systemDirectory is the Windows directory. Throws
// SetupError 5000 when the Windows directory's volume does not answer.
void ComputeStandardDirectories();

// sourceDirectory (the program's own directory, with its trailing backslash) and scriptPath
// (the program's own path with the extension "INF": A:\SETUP.EXE reads A:\SETUP.INF).
void ComputeSourceAndScriptPath();
