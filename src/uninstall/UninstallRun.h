#pragma once

#include <windows.h>

#include <string>

// Exit codes of the uninstaller.
enum UninstallExitCode : int {
    kUninstallDone = 0,     // removed (the closing message lists what stayed), or nothing to remove
    kUninstallDeclined = 1, // the user answered No, or stopped the removal
    kUninstallRefused = 2,  // nothing was removed: a bad argument, script or log
};

// Removes the product installed with the script at scriptPath as its install log beside it
// records: asks first, shows the progress, ends with a message of what stayed.
[[nodiscard]] int RunUninstall(HINSTANCE instance, const std::string& scriptPath);
