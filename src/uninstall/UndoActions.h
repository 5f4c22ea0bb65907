#pragma once

#include "integration/RemovalRecord.h"
#include "uninstall/RemovalReport.h"

#include <optional>
#include <string>

// Carrying out the undo steps that touch files, directories, the registry and INI files. Each
// returns nothing when the object is gone (removed now, or already before), and what stayed
// otherwise. Only the object the step names is touched, and only while it is still as the
// installation left it.

// The uninstaller's questions during the removal.
class RemovalQuestions {
public:
    virtual ~RemovalQuestions() = default;
    // Abort, Retry or Ignore for a file that cannot be deleted: IDABORT, IDRETRY or IDIGNORE.
    virtual int AskFileInUse(const std::string& path) = 0;
    // Whether to delete a shared file that no program uses any more.
    virtual bool AskDeleteSharedFile(const std::string& path) = 0;
};

// What the removal must leave alone whatever its own record says.
struct RemovalBounds {
    std::string ownPath;  // the running uninstaller
    ProductClaims others; // what other installed products' records name
};

// While the key still holds the value written and no other product names it, its earlier value
// comes back or, when it had none, the key goes, and with it its section when the installation
// made the section and nothing is left in it, and its file when the installation made the file
// and left nothing in it.
[[nodiscard]] std::optional<KeptObject> RestoreIniKey(const RecordedIniKey& key,
                                                      const RemovalBounds& bounds);

// While the value still holds what was written and no other product names it, its earlier
// value comes back, or it goes.
[[nodiscard]] std::optional<KeptObject> RestoreRegistryValue(const RecordedValue& value,
                                                             const RemovalBounds& bounds);

// Deleted only when it holds no values and no sub-keys.
[[nodiscard]] std::optional<KeptObject> DeleteCreatedKey(const RecordedKey& key);

// The entry's key goes with the values the registration wrote (other values keep it), and the
// keys above it that the record says registering created, when empty.
[[nodiscard]] std::optional<KeptObject> DeleteUninstallEntry(const std::string& keyName,
                                                             const RemovalRecord& record);

// A file the installation copied, while it has the size and time the installation left: not
// the running uninstaller, nor one another product's record names. A shared file goes only
// when its count is gone and the user agrees; one the record raised no count for is kept.
[[nodiscard]] std::optional<KeptObject> DeleteRecordedFile(const RecordedFile& file,
                                                           const RemovalRecord& record,
                                                           const RemovalBounds& bounds,
                                                           RemovalQuestions& questions);

// The install log, while it is the one this installation wrote (its digest): a later
// installation into the same folder replaced it with its own.
[[nodiscard]] std::optional<KeptObject> DeleteInstallLog(const RemovalRecord& record,
                                                         RemovalQuestions& questions);

// A read-only file is made writable first; a file that cannot be deleted is offered for
// Retry; Abort gives the file as kept for KeptReason::Stopped.
[[nodiscard]] std::optional<KeptObject> DeleteInstalledFile(const std::string& path,
                                                            RemovalQuestions& questions);

// Removed only when empty.
[[nodiscard]] std::optional<KeptObject> RemoveEmptyDirectory(const std::string& path);

// The product's folder, removed when empty; kept silently otherwise (it is listed already when
// the installation created it).
[[nodiscard]] std::optional<KeptObject> RemoveDestination(const std::string& path);
