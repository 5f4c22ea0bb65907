#include "disks/DiskFormat.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

struct FloppyFormat {
    const char* name;
    std::uint32_t kilobytes; // nominal, as mformat -f takes it
    std::uint64_t usable;    // data area: sectors after boot sector, FATs and root directory
    std::uint32_t cluster;
    std::uint32_t rootEntries;
    std::uint64_t otherSizes[2]; // the same format given as raw size or as another count
};

// Measured with mformat (mtools): the free bytes of an empty image, its cluster size and root
// directory slots.
constexpr FloppyFormat kFloppies[] = {
    {"360K", 360, 362496, 1024, 112, {368640, 368640}},
    {"720K", 720, 730112, 1024, 112, {737280, 737280}},
    {"1.2M", 1200, 1213952, 512, 224, {1228800, 1228800}},
    {"1.44M", 1440, 1457664, 512, 224, {1474560, 1474560}},
    {"2.88M", 2880, 2931712, 1024, 240, {2949120, 2915328}},
};

std::uint64_t RoundUp(std::uint64_t bytes, std::uint32_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

bool IsShortNameChar(unsigned char c) {
    return std::isupper(c) || std::isdigit(c) ||
           std::string_view("!#$%&'()-@^_`{}~").find(static_cast<char>(c)) !=
               std::string_view::npos ||
           c >= 0x80;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

DiskFormat DiskFormatFor(std::optional<std::uint64_t> capacity) {
    DiskFormat format;
    format.capacity = capacity;
    if (!capacity) {
        return format;
    }
    for (const FloppyFormat& floppy : kFloppies) {
        if (*capacity == floppy.usable || *capacity == floppy.otherSizes[0] ||
            *capacity == floppy.otherSizes[1]) {
            format.capacity = floppy.usable;
            format.cluster = floppy.cluster;
            format.rootEntries = floppy.rootEntries;
            format.floppyName = floppy.name;
            format.mformatSize = floppy.kilobytes;
        }
    }
    return format;
}

std::uint32_t DirectoryEntriesFor(std::string_view name) {
    const std::size_t dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    bool shortName = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
                     extension.find('.') == std::string_view::npos &&
                     !(dot != std::string_view::npos && extension.empty());
    for (const char c : name) {
        if (c != '.' && !IsShortNameChar(static_cast<unsigned char>(c))) {
            shortName = false;
        }
    }
    return shortName ? 1 : 1 + static_cast<std::uint32_t>((name.size() + 12) / 13);
}

namespace {

// Adds the directory entries that a file at path needs: its own in its directory, and for
// each directory on the way that does not exist yet, its entry in its parent and its own "."
// and "..".
void AddEntries(std::string_view path, std::map<std::string, std::uint32_t>& entries,
                std::uint32_t& root) {
    std::string directory;
    for (std::size_t start = 0;;) {
        const std::size_t slash = path.find('\\', start);
        const bool isDirectory = slash != std::string_view::npos;
        const std::string_view component =
            path.substr(start, isDirectory ? slash - start : std::string_view::npos);
        const std::string child =
            directory.empty() ? Upper(component) : directory + "\\" + Upper(component);
        if (!isDirectory || entries.find(child) == entries.end()) {
            (directory.empty() ? root : entries[directory]) += DirectoryEntriesFor(component);
            if (isDirectory) {
                entries[child] = 2;
            }
        }
        if (!isDirectory) {
            return;
        }
        directory = child;
        start = slash + 1;
    }
}

} // namespace

std::uint64_t DiskSpace::Used() const {
    return UsedWith(directoryEntries_);
}

std::uint64_t DiskSpace::UsedWith(const std::map<std::string, std::uint32_t>& entries) const {
    std::uint64_t used = fileBytes_;
    if (format_.cluster > 1) {
        for (const auto& [name, count] : entries) {
            used += RoundUp(std::uint64_t{count} * 32, format_.cluster);
        }
    }
    return used;
}

std::optional<std::uint64_t> DiskSpace::Room(std::string_view path) const {
    if (!format_.capacity) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    std::map<std::string, std::uint32_t> entries = directoryEntries_;
    std::uint32_t root = rootUsed_;
    AddEntries(path, entries, root);
    const std::uint64_t used = UsedWith(entries);
    if ((format_.rootEntries != 0 && root > format_.rootEntries) || used > *format_.capacity) {
        return std::nullopt;
    }
    // Whole clusters only: the last one of a file is never shared.
    return (*format_.capacity - used) / format_.cluster * format_.cluster;
}

void DiskSpace::Add(std::string_view path, std::uint64_t size) {
    AddEntries(path, directoryEntries_, rootUsed_);
    fileBytes_ += RoundUp(size, format_.cluster);
    ++files_;
}
