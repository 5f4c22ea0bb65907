#pragma once

#include "script/ScriptModel.h"
#include "verify/DiskSet.h"

#include <cstdint>
#include <string>
#include <vector>

// Where an install item's file lies on the disks, and its bytes read back from there.

struct PieceLocation {
    std::uint32_t disk = 0;
    std::string path; // on the disk, backslash-separated
};

// The file SETUP.EXE reads for the item: the first piece on item.diskNumber under
// sourceSubdir and the stored name; each further piece k on the disk after piece k - 1, under
// PiecePath (one location when partCount is 0 or 1).
[[nodiscard]] std::vector<PieceLocation> ItemPieceLocations(const InstallItem& item);

struct JoinedFile {
    std::string name;                  // "disk1/KXUN32.EX_ (joined with disk2/KXUN32.~01)"
    std::vector<std::uint8_t> bytes;   // the pieces in order; whole only when problems is empty
    std::vector<std::string> problems; // "disk2/KXUN32.~01: missing (piece 2 of 2 of ...)"
};

// Reads every piece of install item number index and joins them as SETUP.EXE does.
[[nodiscard]] JoinedFile ReadItemFile(const DiskSet& disks, const InstallItem& item,
                                      std::size_t index);
