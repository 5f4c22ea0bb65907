#pragma once

#include "script/PathMacros.h"
#include "script/ScriptModel.h"

#include <string_view>

// Registers the product with the system's list of removable programs: the key named by the
// product name under HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall gets
// "DisplayName" (the script's uninstall name, macros expanded in place) and "UninstallString"
// ("<Windows>\KXUN32.EXE <destination>\<script file name>"), and the uninstaller's SharedDLLs
// count goes up by one. The script file name is the one of scriptPath; macros are the values
// the path macros insert. A script without an uninstall name registers nothing. Registry
// failures are silent.
void RegisterUninstall(SetupScript& script, const MacroValues& macros, std::string_view scriptPath);

// Raises the SharedDLLs count of the file at path by one, stored as REG_BINARY of 4 bytes
// whatever the value held before. Nothing happens for an empty path or when the SharedDLLs key
// does not exist: the key is never created.
void IncrementSharedCount(std::string_view path);
