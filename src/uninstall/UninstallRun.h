#pragma once

#include "uninstall/UninstallCommandLine.h"

#include <windows.h>

// Exit codes of the uninstaller.
enum UninstallExitCode : int {
    kUninstallDone = 0,     // removed (the closing message lists what stayed), or nothing to remove
    kUninstallDeclined = 1, // the user answered No, or stopped the removal
    kUninstallRefused = 2,  // nothing was removed: a bad argument, no entry, an unproven record
};

// Removes the product registered with the arguments' script as its proven removal record
// names: asks first, shows the progress, ends with a message of what stayed. A silent run shows
// nothing and writes the messages, the answers it took and the outcome to its log.
[[nodiscard]] int RunUninstall(HINSTANCE instance, const UninstallArguments& arguments);
