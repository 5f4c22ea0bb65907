#pragma once

#include "script/ScriptModel.h"
#include "verify/DiskSet.h"
#include "verify/VerifyDiskSet.h"
#include "verify/VerifyReport.h"

// The checks of VerifyDiskSet, each filling its report groups.

struct VerifyContext {
    const DiskSet& disks;
    const SetupScript& script;
    const VerifyOptions& options;
};

// Whether SETUP.EXE reads the item's file from the disks (Copy, ShowBitmap).
[[nodiscard]] bool ReadsDiskFile(const InstallItem& item);

// "install files": every piece of every item's file is there; "contents": each expands whole
// and has the size the script gives.
void CheckItems(const VerifyContext& context, CheckGroup& files, CheckGroup& contents);

// "disk 1": SETUP.EXE, the read-me and the pictures the script names.
[[nodiscard]] CheckGroup CheckDiskOne(const VerifyContext& context);

// "programs": SETUP.EXE and KXUN32.EXE are 32-bit Windows GUI programs that run as
// administrator; "signatures": what options.checkSignature says of them, or that the set is
// unsigned when SETUP.EXE carries no signature and none is required.
void CheckPrograms(const VerifyContext& context, CheckGroup& programs, CheckGroup& signatures);
