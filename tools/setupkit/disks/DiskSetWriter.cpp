#include "disks/DiskSetWriter.h"

#include "ToolError.h"
#include "ToolFiles.h"
#include "disks/DiskNames.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path Normal(const fs::path& output) {
    fs::path normal = fs::absolute(output).lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}

// Runs an mtools command; throws with its name when it fails.
void RunTool(const std::vector<std::string>& arguments, const std::string& what) {
    std::string command = "SOURCE_DATE_EPOCH=315532800";
    for (const std::string& argument : arguments) {
        command += " '";
        for (const char c : argument) {
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        command += "'";
    }
    command += " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        throw ToolError(what + ": " + arguments.front() + " failed (is mtools installed?)");
    }
}

} // namespace

void MakeImage(const DiskSetWriter& writer, std::uint32_t disk, const DiskFormat& format) {
    const std::string image = writer.Image(disk).string();
    const std::string what = "disk " + std::to_string(disk) + " image";
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08X", 0x5E70D150u + disk);
    RunTool({"mformat", "-C", "-f", std::to_string(format.mformatSize), "-N", serial, "-v",
             "DISK" + std::to_string(disk), "-i", image, "::"},
            what);
    // Entries in name order, so that the image does not depend on the order the file system
    // lists them in.
    std::vector<std::string> entries;
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(writer.DiskFolder(disk), code)) {
        entries.push_back(entry.path().string());
    }
    std::sort(entries.begin(), entries.end());
    if (entries.empty()) {
        return;
    }
    std::vector<std::string> copy = {"mcopy", "-s", "-m", "-i", image};
    copy.insert(copy.end(), entries.begin(), entries.end());
    copy.push_back("::");
    RunTool(copy, what);
}

DiskSetWriter::DiskSetWriter(const fs::path& output)
    : output_(Normal(output)), partial_(Sibling(".setupkit-partial")),
      old_(Sibling(".setupkit-old")) {
    CheckReplaceable();
    std::error_code code;
    fs::remove_all(partial_, code);
    fs::create_directories(partial_, code);
    if (code) {
        throw ToolError(partial_.string() + ": cannot create: " + code.message());
    }
}

DiskSetWriter::~DiskSetWriter() {
    if (!committed_) {
        std::error_code code;
        fs::remove_all(partial_, code);
    }
}

fs::path DiskSetWriter::DiskFolder(std::uint32_t disk) const {
    return partial_ / ("disk" + std::to_string(disk));
}

fs::path DiskSetWriter::Image(std::uint32_t disk) const {
    return partial_ / ("disk" + std::to_string(disk) + ".img");
}

void DiskSetWriter::CreateDisk(std::uint32_t disk) {
    std::error_code code;
    fs::create_directories(DiskFolder(disk), code);
    if (code) {
        throw ToolError(DiskFolder(disk).string() + ": cannot create: " + code.message());
    }
}

void DiskSetWriter::Write(std::uint32_t disk, const std::string& path,
                          std::span<const std::uint8_t> bytes, fs::file_time_type time) {
    fs::path target = DiskFolder(disk);
    std::string folded;
    std::size_t start = 0;
    for (std::size_t slash; (slash = path.find('\\', start)) != std::string::npos;
         start = slash + 1) {
        const std::string component = path.substr(start, slash - start);
        folded += FoldCase(component) + "\\";
        auto [spelling, added] = spellings_[disk].emplace(folded, component);
        target /= spelling->second;
    }
    target /= path.substr(start);
    std::error_code code;
    fs::create_directories(target.parent_path(), code);
    if (code) {
        throw ToolError(target.parent_path().string() + ": cannot create: " + code.message());
    }
    WriteFile(target, bytes, ExistingFile::Refuse);
    fs::last_write_time(target, time, code);
}

void DiskSetWriter::StampFolders(fs::file_time_type time) {
    std::error_code code;
    for (auto it = fs::recursive_directory_iterator(partial_, code);
         it != fs::recursive_directory_iterator(); it.increment(code)) {
        if (it->is_directory()) {
            fs::last_write_time(it->path(), time, code);
        }
    }
    fs::last_write_time(partial_, time, code);
}

void DiskSetWriter::Commit() {
    std::error_code code;
    const bool replacing = fs::exists(output_, code);
    if (replacing) {
        fs::remove_all(old_, code);
        fs::rename(output_, old_, code);
        if (code) {
            throw ToolError(output_.string() +
                            ": cannot move the earlier disks aside: " + code.message());
        }
    }
    fs::rename(partial_, output_, code);
    if (code) {
        throw ToolError(output_.string() + ": cannot create: " + code.message());
    }
    committed_ = true;
    if (replacing) {
        fs::remove_all(old_, code);
    }
}

fs::path DiskSetWriter::Sibling(const char* suffix) const {
    return output_.parent_path() / ("." + output_.filename().string() + suffix);
}

void DiskSetWriter::CheckReplaceable() const {
    std::error_code code;
    if (!fs::exists(output_, code)) {
        return;
    }
    if (!fs::is_directory(output_, code)) {
        throw ToolError(output_.string() + ": exists and is not a folder of disks");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(output_, code)) {
        std::string name = entry.path().filename().string();
        const bool image = name.size() > 4 && name.ends_with(".img");
        if (image) {
            name.resize(name.size() - 4);
        }
        const bool diskName =
            name.size() > 4 && name.starts_with("disk") &&
            std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!diskName || entry.is_directory() == image) {
            throw ToolError(output_.string() + ": holds " + entry.path().filename().string() +
                            ", which an earlier build did not make; refusing to replace it");
        }
    }
    if (code) {
        throw ToolError(output_.string() + ": cannot read: " + code.message());
    }
}
