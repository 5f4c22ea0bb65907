#pragma once

#include "script/SetupError.h"

#include <windows.h>

#include <string>

// The directories the path macros stand for, computed once at start-up, before the script is
// loaded.

struct StandardDirectories {
    std::string windows;
    std::string system;       // the Windows directory when the system directory is remote
    std::string temporary;    // with its trailing backslash
    std::string programFiles; // the Windows volume's root joined with "Program Files"
};

// The Windows, system, temporary and program-files directories into directories. Fails with
// 5000 when the Windows directory's volume does not answer.
Failure ComputeStandardDirectories(StandardDirectories& directories);

struct SourceAndScriptPath {
    std::string sourceDirectory; // the program's own directory, with its trailing backslash
    std::string scriptPath;      // the program's own path with the extension "INF"
};

// Where module (the running program) lies and its script beside it: A:\SETUP.EXE reads
// A:\SETUP.INF.
[[nodiscard]] SourceAndScriptPath ComputeSourceAndScriptPath(HMODULE module);
