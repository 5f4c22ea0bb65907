#pragma once

#include "integration/RemovalRecord.h"
#include "script/ScriptModel.h"

#include <optional>
#include <string>

// Noting in the removal record what the copy pass did.

// What a Copy item's destination held before the item ran.
struct DestinationBefore {
    std::string path;           // the item's destination; empty for other actions
    bool present = false;       // a file stood there
    bool existedBefore = false; // ... that nothing accounted for (RecordedFile::existedBefore)
    bool copiedBefore = false;  // ... that an earlier installation of the product copied
};

// Judges a file found at path before an item runs. The product's earlier installation decides
// for a file it recorded that is still as it left it; otherwise a SharedDLLs count or another
// product's record accounts for the file, or nothing does.
[[nodiscard]] DestinationBefore
JudgeFoundFile(const std::string& path, const std::optional<FileStamp>& stamp, bool countedShared,
               const std::optional<RemovalRecord>& earlier, const ProductClaims& others);

// A done Copy item's file (a file this run installed already stays this run's, whatever a
// later item found); a Copy item that kept the file it found, as a file the product relies on
// but did not copy; a done Delete item as a note, never undone.
void RecordItemDone(RemovalRecord& record, const InstallItem& item,
                    const DestinationBefore& before);
