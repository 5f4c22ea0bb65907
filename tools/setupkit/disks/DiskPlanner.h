#pragma once

#include "disks/DiskFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Lays files out on a numbered sequence of disks, in the order given, the way SETUP.EXE reads
// them: it asks for disks only in order (each prompt is for the disk after the current one),
// so a file never goes on an earlier disk than the one before it.

enum class Splitting {
    Allowed,   // a copied file: the installer joins its pieces
    Forbidden, // SETUP.EXE, the script, the read-me, pictures: read from one file
};

struct PlanFile {
    std::string path;           // on the disk, backslash-separated (sub-directory and stored name)
    std::string pieceSubdir;    // where further pieces go (the item's sourceSubdir)
    std::uint64_t size = 0;     // stored bytes
    std::uint64_t identity = 0; // equal for files with equal stored bytes (a content hash)
    Splitting splitting = Splitting::Allowed;
    std::optional<std::uint32_t> disk; // start on exactly this disk (the current or the next)
    std::string what;                  // how messages name it
    // An install item's file may move to a sub-folder of pieceSubdir when another file
    // already has its path on the disk: storedName is its name there (path is pieceSubdir and
    // storedName), folderHint the sub-folder's name to try first (the folder its source lies
    // in). Empty storedName: the file stays where path says.
    std::string storedName;
    std::string folderHint;
};

struct PlannedPiece {
    std::uint32_t disk = 0;
    std::string path;
    std::uint64_t offset = 0; // into the stored bytes
    std::uint64_t size = 0;
    bool shared = false; // an identical file already lies at path on this disk
};

struct PlannedFile {
    std::vector<PlannedPiece> pieces; // one for a whole file
    std::string subdir;               // pieceSubdir, or the sub-folder the file moved to
    std::uint32_t FirstDisk() const { return pieces.front().disk; }
};

struct DiskUsage {
    std::uint32_t files = 0;
    std::uint64_t used = 0;
};

struct DiskPlan {
    std::vector<PlannedFile> files; // parallel to the input
    std::vector<DiskUsage> disks;   // disk 1 first
};

// The largest number of pieces the script can record.
inline constexpr std::uint32_t kMaxPieces = 255;

// The plan, or a ToolError naming the file that cannot be placed (too large for an empty
// disk when it may not be split, more than 255 pieces, a disk number out of order, a name
// already used by a different file on the same disk when the file may not move).
[[nodiscard]] DiskPlan PlanDisks(const std::vector<PlanFile>& files, const DiskFormat& format);
