#pragma once

#include "ProductDescription.h"
#include "disks/BuildOptions.h"
#include "disks/DiskFormat.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct BuiltDisk {
    std::uint32_t files = 0;
    std::uint64_t used = 0;
    std::optional<std::uint64_t> capacity;
};

struct BuildReport {
    DiskFormat format;
    std::vector<BuiltDisk> disks;
    std::uint32_t compressed = 0;      // items stored compressed
    std::uint32_t storedPlain = 0;     // items asked to be compressed that did not shrink
    std::uint32_t split = 0;           // items in more than one piece
    std::vector<std::string> warnings; // whole messages, "FILE:LINE: warning: ..."
};

// Lays out the distribution disks OUTDIR/disk1, disk2, ... for a loaded product description:
// SETUP.EXE and the compiled SETUP.INF on disk 1 with the read-me and the pictures, then the
// install items' source files in install-list order, compressed where asked, split where a
// disk is full; sets every item's size (unless given), disk number and piece count and the
// disk labels in the script it writes. The same inputs give the same bytes. The disks are
// made in a temporary sibling of OUTDIR and renamed into place at the end, so a failed build
// leaves no partial OUTDIR; an existing OUTDIR is replaced only if it holds nothing but disk
// folders and images of an earlier build. Throws ToolError naming the file and the problem.
[[nodiscard]] BuildReport BuildDisks(const ProductDescription& description,
                                     const BuildOptions& options, std::FILE* progressStream);

// The stored form of a file asked to be compressed: the SZDD file, or the bytes as they are
// when compression would not make them smaller. The LZ library copies a file without the
// SZDD header unchanged, so either form installs the same bytes; a file that itself begins
// like an SZDD header ("SZ") is always compressed, so that it is never mistaken for one.
struct StoredForm {
    std::vector<std::uint8_t> bytes;
    bool compressed = false;
};
[[nodiscard]] StoredForm CompressForDisk(const std::vector<std::uint8_t>& data,
                                         const std::string& name);
