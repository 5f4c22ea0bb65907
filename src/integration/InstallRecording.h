#pragma once

#include "integration/RemovalRecord.h"
#include "script/ScriptModel.h"

// Noting in the removal record what the copy pass did.

// A done Copy item's file, and whether a file stood at its place before the item ran (a file
// this run installed already is this run's, whatever a later item found); a done Delete item
// as a note, never undone.
void RecordItemDone(RemovalRecord& record, const InstallItem& item, bool fileExistedBefore);
