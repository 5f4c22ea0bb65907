#include "verify/DiskSet.h"

#include "ToolFiles.h"
#include "disks/DiskNames.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path DiskFolder(const fs::path& root, std::uint32_t disk) {
    return root / ("disk" + std::to_string(disk));
}

// The entry of folder named name in any case: the exact spelling first. A part that would lead
// out of the folder (empty, "." or "..", or with a slash) names nothing on a disk.
std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return std::nullopt;
    }
    std::error_code code;
    if (fs::exists(folder / name, code)) {
        return folder / name;
    }
    const std::string folded = FoldCase(name);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        if (FoldCase(entry.path().filename().string()) == folded) {
            return entry.path();
        }
    }
    return std::nullopt;
}

} // namespace

DiskSet::DiskSet(fs::path root) : root_(std::move(root)) {}

std::uint32_t DiskSet::DiskCount() const {
    std::uint32_t disks = 0;
    std::error_code code;
    while (fs::is_directory(DiskFolder(root_, disks + 1), code)) {
        ++disks;
    }
    return disks;
}

std::optional<fs::path> DiskSet::Find(std::uint32_t disk, std::string_view path) const {
    fs::path found = DiskFolder(root_, disk);
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('\\', start);
        const std::string part(path.substr(start, slash - start));
        const std::optional<fs::path> entry = FindEntry(found, part);
        if (!entry) {
            return std::nullopt;
        }
        found = *entry;
        if (slash == std::string_view::npos) {
            break;
        }
        start = slash + 1;
    }
    std::error_code code;
    return fs::is_regular_file(found, code) ? std::optional(found) : std::nullopt;
}

std::string DiskSet::Name(std::uint32_t disk, std::string_view path) {
    std::string name = "disk" + std::to_string(disk) + "/" + std::string(path);
    for (char& c : name) {
        c = c == '\\' ? '/' : c;
    }
    return name;
}

DiskSet::Read DiskSet::ReadFile(std::uint32_t disk, std::string_view path) const {
    const std::optional<fs::path> found = Find(disk, path);
    if (!found) {
        return {{}, "missing"};
    }
    FileRead read = TryReadFile(*found);
    if (!read.problem.empty()) {
        return {{}, "cannot be read: " + read.problem};
    }
    return {std::move(read.bytes), {}};
}
