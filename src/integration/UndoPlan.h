#pragma once

#include "integration/InstallLogReader.h"
#include "script/ScriptModel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the uninstaller does, in order, to undo what an install log records. Planning only:
// the steps are carried out (and may find their object gone or still in use) by the program.

enum class UndoStepKind : std::uint8_t {
    RemoveIniKey,         // path (INI file), section, name (key); the section too when left empty
    DeleteRegistryValue,  // root, subKey, name (value name; empty: the key's default value)
    DeleteRegistryKey,    // root, subKey (never empty): only when it holds no values or sub-keys;
                          // also the parents of a logged key below the root's sub-keys
    DeleteGroupItem,      // group, name
    DeleteGroup,          // group: only when it is empty
    DeleteFile,           // path
    LowerSharedCount,     // path: lower its SharedDLLs count; at 0 ask, then delete; no count: keep
    RemoveDirectory,      // path: only when empty
    DeleteUninstallEntry, // root (LocalMachine), subKey: the entry's key with its values
    DeleteLog,            // path
    DeleteScriptCopy,     // path
    RemoveDestination,    // path: only when empty
};

struct UndoStep {
    UndoStepKind kind = UndoStepKind::DeleteFile;
    std::size_t line = 0; // the log line undone; 0 for the closing steps
    std::string path;
    RegistryRoot root = RegistryRoot::LocalMachine;
    std::string subKey;
    std::string section;
    std::string group;
    std::string name;
};

struct UndoPlan {
    std::string refusal; // not empty: nothing may be undone, and this says why
    std::vector<UndoStep> steps;
    // Lines not acted on, for the closing message: unknown texts, refused lines, deleted files
    // and INI entries that removed something.
    std::vector<LogLine> reported;
};

// The key of the uninstall entries under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The steps that undo log, in this order: INI keys, registry values, registry keys (deepest
// first), group items, groups, files, directories (deepest first), each in reverse order of
// the log; then the uninstall entry (when the script has one), the log, the script copy and
// the destination directory (the script copy's directory; never a drive's root).
// script gives the shared flags and the uninstall entry: its directory paths must be resolved
// as at installation, since a copied file is shared when it is the destination of a shared Copy
// item. scriptPath is the installed script (the uninstaller's argument); logFileName the log's
// name in its directory. A refused log, a relative script path, or a log of another product
// (header and script disagree) give a refused plan.
[[nodiscard]] UndoPlan MakeUndoPlan(const InstallLogRecord& log, const SetupScript& script,
                                    std::string_view scriptPath,
                                    std::string_view logFileName = "setuplog.txt");
