#pragma once

#include "verify/VerifyReport.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

struct VerifyOptions {
    // The install items (by index) whose size the description gives rather than takes from
    // the file, which the disks do not tell. Without it a size that differs from the file's is
    // a warning; with it, a fault unless the item is in the set.
    std::optional<std::set<std::size_t>> sizeGivenItems;
    // Checks the signature of a program (SETUP.EXE on disk 1, an expanded copy of KXUN32.EXE):
    // a fault message, or nothing when it is sound. Not set: signatures are not checked.
    std::function<std::optional<std::string>(const std::filesystem::path& program)> checkSignature;
    // Whether the programs must be signed (a CA was given); otherwise a set whose SETUP.EXE
    // carries no signature is reported as unsigned and its programs are not checked.
    bool signaturesRequired = false;
};

// Reads a finished disk set (DISKS/disk1, disk2, ...) as SETUP.EXE will and reports whether it
// is complete and sound: the script loads; every piece of every install item's file is on its
// disk; compressed files expand whole, and sizes agree with the script; disk 1 holds SETUP.EXE,
// the read-me and the pictures; SETUP.EXE and KXUN32.EXE are 32-bit Windows GUI programs; their
// signatures, when options can check them. Throws ToolError when the set cannot be verified at
// all: no DISKS/disk1/SETUP.INF, or a script that does not load.
[[nodiscard]] VerifyReport VerifyDiskSet(const std::filesystem::path& disks,
                                         const VerifyOptions& options);
