#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// What one distribution disk holds. A floppy format counts as FAT12 does: every file takes
// whole clusters, every sub-directory is a file of 32-byte entries, and the root directory
// has a fixed number of entries. Any other capacity is a plain byte count (a CD or a test's
// disk of exactly so many bytes); no capacity at all is one disk of unlimited size.
struct DiskFormat {
    std::optional<std::uint64_t> capacity; // bytes for files; none: unlimited
    std::uint32_t cluster = 1;             // allocation unit; 1: plain byte count
    std::uint32_t rootEntries = 0;         // FAT root directory slots; 0: no limit
    std::string floppyName;                // "1.44M" etc. for floppy formats, else empty
    std::uint32_t mformatSize = 0;         // the size in KB that mformat -f takes

    bool IsFloppy() const { return !floppyName.empty(); }
};

// The format for a capacity as the product description or --capacity gives it: the standard
// floppy sizes (given as their raw or their usable byte counts) become their FAT12 formats,
// any other number a plain byte count.
[[nodiscard]] DiskFormat DiskFormatFor(std::optional<std::uint64_t> capacity);

// The space used on one disk as files are added to it.
class DiskSpace {
public:
    explicit DiskSpace(const DiskFormat& format) : format_(format) {}

    // Bytes in use, directories included.
    std::uint64_t Used() const;

    // The most bytes a file at path (backslash-separated, below the disk's root) can have and
    // still fit; nothing when not even its directory entries fit. Unlimited disks answer the
    // largest value there is.
    std::optional<std::uint64_t> Room(std::string_view path) const;

    void Add(std::string_view path, std::uint64_t size);

    std::uint32_t Files() const { return files_; }

private:
    std::uint64_t UsedWith(const std::map<std::string, std::uint32_t>& entries) const;

    DiskFormat format_;
    std::uint64_t fileBytes_ = 0;
    std::uint32_t files_ = 0;
    std::uint32_t rootUsed_ = 0;
    std::map<std::string, std::uint32_t> directoryEntries_; // per sub-directory, in upper case
};

// The 32-byte directory entries a name takes on FAT with long names: one for a valid 8.3
// upper-case name, otherwise one plus a long-name entry per 13 characters.
std::uint32_t DirectoryEntriesFor(std::string_view name);
