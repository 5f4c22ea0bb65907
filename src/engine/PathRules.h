#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The installer's path rules: one backslash between components, directory parts that keep
// their trailing backslash, the on-disk name of a compressed file, the root of a volume.
// Nothing here touches the disk; engine/PathOperations.h puts the platform behind the rules.

// Working path buffers hold 260 characters, the platform's path limit. Copies into bounded
// caller fields, and the full paths that volume checks ask for, have room for 256: at most
// 255 characters and the NUL.
inline constexpr std::size_t kPathCapacity = 260;
inline constexpr std::size_t kBoundedPathCapacity = 256;

// Makes a path full the way the platform does, given the capacity of the caller's buffer:
// the full path, or nothing when it cannot be formed or would not fit (capacity - 1
// characters at most).
using FullPathFunction = std::optional<std::string> (*)(std::string_view path,
                                                        std::size_t capacity);

// A FullPathFunction that takes the path as written, with the platform's limits: an empty
// path or one that does not fit fails. For names that are not resolved against a current
// directory (the authoring tool's disk layout, tests).
std::optional<std::string> PathAsWritten(std::string_view path, std::size_t capacity);

// At most the first 255 characters of text: what a bounded 256-character field receives.
std::string BoundedCopy(std::string_view text);

// Appends name, with a backslash in between unless path is empty or already ends in one.
void AppendPathComponent(std::string& path, std::string_view name);

// directory and name under the AppendPathComponent rule.
std::string JoinPath(std::string_view directory, std::string_view name);

// base, subdir and name, each backslash test looking at base and subdir themselves (not at
// the text built so far): an empty base gives subdir\name, empty base and subdir give name.
std::string JoinPath3(std::string_view base, std::string_view subdir, std::string_view name);

// The path up to and including its last backslash; empty when it has none. Forward slashes
// do not count.
std::string DirectoryPart(std::string_view path);

// The file-name part of the full path of path (260-character capacity); empty when the
// full path cannot be formed or ends in a separator.
std::string FileNamePart(std::string_view path, FullPathFunction fullPath);

// The text after the last dot of the file-name part of the full path (256-character
// capacity), empty when that part has no dot; nothing when the full path cannot be formed.
std::optional<std::string> FileExtension(std::string_view path, FullPathFunction fullPath);

// DirectoryPart(path), then FileNamePart(path) up to its last dot (whole when it has none),
// then "." and newExtension.
std::string ReplaceExtension(std::string_view path, std::string_view newExtension,
                             FullPathFunction fullPath);

// The name under which a compressed file is stored: the last character of an extension of
// three or more is replaced by "_", a shorter one gets "_" appended, a missing one becomes
// "_" (SETUP.EXE -> SETUP.EX_, READ.ME -> READ.ME_, FILE -> FILE._).
std::string CompressedName(std::string_view name, FullPathFunction fullPath);

// The root directory of the volume of a full path: a drive root keeps its separator
// (C:\APPS\X -> C:\), a UNC path keeps server and share (\\SERVER\SHARE\DIR ->
// \\SERVER\SHARE\); when the scan reaches the end the path is kept whole (\\SERVER). Both
// slashes count as separators here and stay as written. At most 255 characters.
std::string VolumeRootOfFullPath(std::string_view fullPath);

// True when path holds a wildcard, "?" or "*".
bool HasWildcards(std::string_view path);

// directory with a backslash appended unless it already ends in one; an empty directory
// becomes the single backslash, the root of the current volume.
std::string WithTrailingBackslash(std::string_view directory);

// Whether two paths (or volume roots) are the same text without regard to the case of ASCII
// letters, as the file system compares names.
[[nodiscard]] bool SamePathText(std::string_view a, std::string_view b);

// Free space in units of 1000 bytes. The product is formed in 64 bits: a volume with 4 GB or
// more free would otherwise read as nearly full.
std::uint64_t FreeSpaceK(std::uint32_t freeClusters, std::uint32_t sectorsPerCluster,
                         std::uint32_t bytesPerSector);

// Creates path and its missing parents with create(path) -> bool, using enter(path) -> bool
// (make it the current directory) to recognise one that exists. Up to two attempts: create
// it; if that fails and it can be entered, it exists and the answer is true; otherwise create
// the parent (the text before the last backslash; none: false) and try once more. The result
// is that of the last create. Parents are made before their children, so the calls run from
// the outermost missing directory inwards.
template <typename Create, typename Enter>
bool CreateDirectoryTreeWith(const std::string& path, Create& create, Enter& enter) {
    bool created = true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        created = create(path);
        if (created) {
            break;
        }
        if (enter(path)) {
            return true;
        }
        const std::size_t backslash = path.rfind('\\');
        if (backslash == std::string::npos) {
            return false;
        }
        // The parent's own result does not matter: the second attempt on path tells.
        CreateDirectoryTreeWith(path.substr(0, backslash), create, enter);
    }
    return created;
}
