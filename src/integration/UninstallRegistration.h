#pragma once

#include "script/PathMacros.h"
#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Registers the product with the system's list of removable programs: the key named by the
// product name under HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall gets
// "DisplayName" (the script's uninstall name, macros expanded in place) and "UninstallString"
// ("<Windows>\KXUN32.EXE <destination>\<script file name>"), "QuietUninstallString" (the same
// with "/silent " before the script path), and the uninstaller's SharedDLLs count goes up by
// one. The script file name is the one of scriptPath; macros are the values
// the path macros insert. A script without an uninstall name registers nothing. Registry
// failures are silent.
// Before the entry, the removal record is completed (file sizes and times, what an earlier
// installation of the product made, the log's path and digest) and written to the destination
// directory; the entry names it and holds its digest. The uninstaller's count rises once per
// installation, also when the script copies it as a shared file.
void RegisterUninstall(SetupScript& script, const MacroValues& macros, std::string_view scriptPath,
                       const InstallLog& log, RemovalRecord& record);

// Raises the SharedDLLs count of the file at path by one, stored as REG_BINARY of 4 bytes
// whatever the value held before. Nothing happens for an empty path or when the SharedDLLs key
// does not exist: the key is never created. True when the count was written.
bool IncrementSharedCount(std::string_view path);

// The SharedDLLs count of the file at path; nothing when it has none.
[[nodiscard]] std::optional<std::uint32_t> SharedCount(std::string_view path);

// Lowers the file's SharedDLLs count by one; at 0 the count goes.
void DecrementSharedCount(std::string_view path);
