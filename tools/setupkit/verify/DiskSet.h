#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The folders of a disk set (DISKS/disk1, disk2, ...) as SETUP.EXE sees them: paths on a disk
// are backslash-separated and found without regard to case, as on FAT.
class DiskSet {
public:
    explicit DiskSet(std::filesystem::path root);

    const std::filesystem::path& Root() const { return root_; }

    // The number of disk folders, counted from disk1 up to the first that is missing.
    [[nodiscard]] std::uint32_t DiskCount() const;

    // The file at path on disk, when it is there.
    [[nodiscard]] std::optional<std::filesystem::path> Find(std::uint32_t disk,
                                                            std::string_view path) const;

    // How findings name a file: "disk2/SUB/NOTEPAD.~01".
    [[nodiscard]] static std::string Name(std::uint32_t disk, std::string_view path);

    // The file's bytes, or why it cannot be had: "missing", "cannot be read: ...".
    struct Read {
        std::vector<std::uint8_t> bytes;
        std::string problem; // empty when read
    };
    [[nodiscard]] Read ReadFile(std::uint32_t disk, std::string_view path) const;

private:
    std::filesystem::path root_;
};
