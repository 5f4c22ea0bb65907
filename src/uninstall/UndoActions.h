#pragma once

#include "integration/UndoPlan.h"
#include "uninstall/RemovalReport.h"

#include <optional>
#include <string>

// Carrying out the undo steps that touch files, directories, the registry and INI files. Each
// returns nothing when the object is gone (removed now, or already before), and what stayed
// otherwise. Only the object the step names is touched.

// The uninstaller's questions during the removal.
class RemovalQuestions {
public:
    virtual ~RemovalQuestions() = default;
    // Abort, Retry or Ignore for a file that cannot be deleted: IDABORT, IDRETRY or IDIGNORE.
    virtual int AskFileInUse(const std::string& path) = 0;
    // Whether to delete a shared file that no program uses any more.
    virtual bool AskDeleteSharedFile(const std::string& path) = 0;
};

// The user chose Abort: the removal ends here.
struct RemovalStopped {};

// The key goes from its INI file, and the section with it when nothing else is left in it; a
// file left blank goes too.
[[nodiscard]] std::optional<KeptObject> RemoveIniKey(const UndoStep& step);

[[nodiscard]] std::optional<KeptObject> DeleteRegistryValue(const UndoStep& step);

// Deleted only when it holds no values and no sub-keys.
[[nodiscard]] std::optional<KeptObject> DeleteEmptyRegistryKey(const UndoStep& step);

// The uninstall entry's key goes with its values.
[[nodiscard]] std::optional<KeptObject> DeleteUninstallEntry(const UndoStep& step);

// A read-only file is made writable first; a file that cannot be deleted is offered for
// Retry; Abort throws RemovalStopped.
[[nodiscard]] std::optional<KeptObject> DeleteInstalledFile(const std::string& path,
                                                            RemovalQuestions& questions);

// Lowers the file's SharedDLLs count. At 0 the count goes and the user is asked before the file
// is deleted; a file without a count is kept. The running uninstaller (ownPath) is never
// deleted.
[[nodiscard]] std::optional<KeptObject>
LowerSharedCount(const std::string& path, const std::string& ownPath, RemovalQuestions& questions);

// Removed only when empty.
[[nodiscard]] std::optional<KeptObject> RemoveEmptyDirectory(const std::string& path);
