#pragma once

#include <windows.h>

#include <string>

// Exit codes of the uninstaller.
enum UninstallExitCode : int {
    kUninstallDone = 0,     // removed (the closing message lists what stayed), or nothing to remove
    kUninstallDeclined = 1, // the user answered No, or stopped the removal
    kUninstallRefused = 2,  // nothing was removed: a bad argument, no entry, an unproven record
};

// Removes the product registered with the script at scriptPath as its proven removal record
// names: asks first, shows the progress, ends with a message of what stayed.
[[nodiscard]] int RunUninstall(HINSTANCE instance, const std::string& scriptPath);
