#pragma once

#include "disks/DiskFormat.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>

// The whole disk set, made in a temporary folder beside the output and moved into place by
// Commit; dropped when the writer ends without it. Throws ToolError naming the folder.
class DiskSetWriter {
public:
    // An existing output is replaced only when it is an earlier disk set: nothing in it but
    // diskN folders and diskN.img images.
    explicit DiskSetWriter(const std::filesystem::path& output);
    ~DiskSetWriter();

    DiskSetWriter(const DiskSetWriter&) = delete;
    DiskSetWriter& operator=(const DiskSetWriter&) = delete;

    std::filesystem::path DiskFolder(std::uint32_t disk) const;
    std::filesystem::path Image(std::uint32_t disk) const;

    void CreateDisk(std::uint32_t disk);

    // Writes bytes at path (backslash-separated) on disk. Directories are made with the
    // spelling they first had on that disk, since FAT and Wine treat SUB and sub as one.
    void Write(std::uint32_t disk, const std::string& path, std::span<const std::uint8_t> bytes,
               std::filesystem::file_time_type time);

    // Gives every folder of the disk set the time.
    void StampFolders(std::filesystem::file_time_type time);

    void Commit();

private:
    std::filesystem::path Sibling(const char* suffix) const;
    void CheckReplaceable() const;

    std::filesystem::path output_;
    std::filesystem::path partial_;
    std::filesystem::path old_;
    bool committed_ = false;
    std::map<std::uint32_t, std::map<std::string, std::string>> spellings_;
};

// Writes the FAT12 image of the writer's disk folder (diskN.img) with mtools.
void MakeImage(const DiskSetWriter& writer, std::uint32_t disk, const DiskFormat& format);
