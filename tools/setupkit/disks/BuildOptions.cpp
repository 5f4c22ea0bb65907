#include "disks/BuildOptions.h"

#include "ProductDescription.h"
#include "ToolError.h"

#include <system_error>

namespace fs = std::filesystem;

std::optional<std::uint64_t> CapacityOption(const std::string& text) {
    std::optional<std::uint64_t> capacity;
    if (ParseDiskCapacity(text, capacity)) {
        return capacity;
    }
    std::uint64_t bytes = 0;
    std::size_t used = 0;
    try {
        bytes = std::stoull(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || bytes == 0) {
        throw ToolError("--capacity " + text +
                        ": not 360K, 720K, 1.2M, 1.44M, 2.88M, unlimited or a number of bytes");
    }
    return bytes;
}

ToolFolders FindToolFolders() {
    std::error_code code;
    const fs::path self = fs::read_symlink("/proc/self/exe", code);
    if (code) {
        return {};
    }
    return {self.parent_path().parent_path() / "share" / "setupkit",
            self.parent_path().parent_path().parent_path()};
}

fs::path DefaultSetupExe() {
    const ToolFolders folders = FindToolFolders();
    if (folders.share.empty()) {
        return {};
    }
    std::error_code code;
    // Installed: <prefix>/share/setupkit/SETUP.EXE.
    const fs::path installed = folders.share / kSetupExeName;
    if (fs::exists(installed, code)) {
        return installed;
    }
    // In the build tree: <build>/dist32/src/shell/dist/SETUP.EXE, the shipped 32-bit program
    // without debug information (the Win32 tests' build may be an x86-64 one, which is never a
    // default).
    return folders.build / "dist32" / "src" / "shell" / "dist" / kSetupExeName;
}
