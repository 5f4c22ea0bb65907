#pragma once

#include "common/Win32Handles.h"
#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"
#include "script/PathMacros.h"
#include "script/ScriptModel.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The script's registry keys and values, written once at completion and logged.

// Writes every key of the script's registry list in list order: the key is created (or taken
// as the root itself when the path names no sub-key), "Added registry key <path>." is logged,
// then each value is written and logged with "\tAdded registry value <name>.". Paths, names
// and text data have their path macros expanded in place just before use. Failures are
// silent: a key that cannot be created is skipped unlogged, a value that cannot be written
// is still logged. The keys the writing creates (every level) and the values it writes, each
// with what it held before, are noted in record.
void WriteRegistryEntries(SetupScript& script, const MacroValues& macros, InstallLog& log,
                          RemovalRecord& record);

struct ParsedRegistryPath {
    HKEY root = nullptr; // null when the root name is not one of the six predefined roots
    std::string subKey;  // empty: the root itself
};

// Expands the key's path in place and splits it into its predefined root and sub-key. False
// when no root name can be isolated.
[[nodiscard]] bool ParseRegistryPath(RegistryKey& key, const MacroValues& macros,
                                     ParsedRegistryPath& parsed);

// The predefined key of a root, and the root of a predefined key (nothing for any other key).
[[nodiscard]] HKEY PredefinedRootKey(RegistryRoot root);
[[nodiscard]] std::optional<RegistryRoot> FindPredefinedRoot(HKEY key);

struct RegistryData {
    std::uint32_t type = 0;
    std::string data;
};

// A value's type and bytes; nothing when it cannot be read, and then result (when given) says
// why: ERROR_FILE_NOT_FOUND when the value does not exist.
[[nodiscard]] std::optional<RegistryData> ReadRegistryValue(HKEY key, const char* name,
                                                            LONG* result = nullptr);

// The levels of subKey below root that do not exist yet, parents first (a level that cannot be
// opened for another reason than its absence counts as existing).
[[nodiscard]] std::vector<std::string> MissingKeyLevels(HKEY root, const std::string& subKey);

// A key below root opened with the access asked; empty when it cannot be, and then result (when
// given) says why.
[[nodiscard]] UniqueRegKey OpenRegistryKey(HKEY root, const std::string& path, REGSAM access,
                                           LONG* result = nullptr);
