#pragma once

#include "integration/RecordPaths.h"
#include "integration/RemovalRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the uninstaller does, in order, to undo what a removal record names. Planning only: the
// steps are carried out (and may find their object gone, changed or still in use) by the
// program. The steps are a pure function of the record, so a step's position identifies it
// across runs: the journal of a stopped removal names the positions done. The kinds' names stay
// clear of the platform's macros (DeleteFile, RemoveDirectory), so that the type is the same in
// every file.

enum class UndoStepKind : std::uint8_t {
    RestoreIniKey,          // iniKeys[index]: its earlier value back, or the key goes
    RestoreRegistryValue,   // values[index]: its earlier value back, or the value goes
    DeleteCreatedKey,       // keys[index]: only when it holds no values and no sub-keys
    DeleteGroupItem,        // items[index]
    DeleteGroup,            // groups[index], created by the installation: only when empty
    LowerSharedCount,       // sharedCounts[index]
    RemoveFile,             // files[index] copied, or shared and counted: only when still as the
                            // installation left it
    DeleteLog,              // the install log: only when it is still this installation's
    DeleteRecord,           // the removal record itself
    RemoveCreatedDirectory, // directories[index]: only when empty
    RemoveDestination,      // the script copy's directory, created or not: only when empty
    DeleteUninstallEntry,   // the entry's key: last of all
};

struct UndoStep {
    UndoStepKind kind = UndoStepKind::RemoveFile;
    std::size_t index = 0;
};

struct UndoPlan {
    std::vector<UndoStep> steps;
    // files[index] that stood outside the destination before the installation: never deleted.
    std::vector<std::size_t> filesThatExistedBefore;
    // Objects the record names that no step may touch, with the reason: paths that are not
    // absolute, names that could change a program-manager command.
    std::vector<std::string> refused;
};

// The steps, in this order: INI keys (but those in a file the installation copied, which goes
// or stays whole), registry values, created keys (deepest first), group
// items, created groups, shared counts, files (the script copy last), each in reverse order of
// the record; then the log, the record, the created directories (deepest first), the
// destination when empty (a product installed into the folder of another that is gone by
// now) and the uninstall entry. destination is the product's directory.
[[nodiscard]] UndoPlan MakeUndoPlan(const RemovalRecord& record, std::string_view destination);

// Whether the key lies below the Uninstall key: created above a nested uninstall entry.
[[nodiscard]] bool IsUninstallEntryKey(const RecordedKey& key);

// A short text that differs between plans of different steps: a journal of steps done belongs
// to the plan whose signature it holds.
[[nodiscard]] std::string PlanSignature(const UndoPlan& plan);

// Whether a program group or item name can stand in a program-manager command: no quote,
// bracket, parenthesis, comma or control character.
[[nodiscard]] bool IsSafeGroupName(std::string_view name);
