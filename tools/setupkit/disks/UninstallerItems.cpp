#include "disks/UninstallerItems.h"

#include "disks/DiskBuilder.h"
#include "ToolError.h"
#include "ToolFiles.h"

#include <algorithm>
#include <array>
#include <limits>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUninstallerName = "KXUN32.EXE";
constexpr const char* kWindowsDirectory = "?W";

bool IsWindowsDirectory(const DirectoryEntry& entry) {
    const std::string_view path = entry.templatePath.View();
    return path.size() == 2 && path[0] == '?' && (path[1] == 'W' || path[1] == 'w');
}

// The 1-based number of the directory "?W", appended when missing.
std::uint8_t WindowsDirectoryNumber(SetupScript& script) {
    const auto found = std::ranges::find_if(script.directories, IsWindowsDirectory);
    if (found == script.directories.end()) {
        DirectoryEntry& entry = script.directories.emplace_back();
        entry.templatePath.Assign(kWindowsDirectory);
        entry.path.Assign(kWindowsDirectory);
        return static_cast<std::uint8_t>(script.directories.size());
    }
    return static_cast<std::uint8_t>(found - script.directories.begin() + 1);
}

InstallItem CopyItem(std::uint8_t directory, const char* name, OverwriteMode overwrite) {
    InstallItem item;
    item.dirIndex = directory;
    item.diskNumber = 1;
    item.action = static_cast<std::uint8_t>(ItemAction::Copy);
    item.overwriteMode = static_cast<std::uint8_t>(overwrite);
    item.name.Assign(name);
    return item;
}

} // namespace

void AddUninstallerItems(ProductDescription& description, const fs::path& uninstaller) {
    const auto table = description.tableLines.find("uninstall");
    const std::uint32_t line = table == description.tableLines.end() ? 0 : table->second;
    const auto refuse = [&](const std::string& problem) {
        throw ToolError(SourceError{description.fileName, line, "uninstall.uninstaller", problem});
    };
    if (!fs::is_regular_file(uninstaller)) {
        refuse(std::string(kUninstallerName) + " not found at " + uninstaller.string() +
               "; give --uninstaller PATH, or set uninstaller = false");
    }
    SetupScript& script = description.script;
    if (script.directories.size() >= 255 &&
        std::ranges::none_of(script.directories, IsWindowsDirectory)) {
        refuse("the script has 255 directories and no room for the Windows directory the "
               "uninstaller goes to");
    }

    // First in the install list, so that they come from disk 1 while it is in the drive: the
    // script copy first, as SETUP.INF is on disk 1 only and the uninstaller may go on over the
    // next disk. The components' item numbers move up with the items.
    InstallItem program =
        CopyItem(WindowsDirectoryNumber(script), kUninstallerName, OverwriteMode::IfOlder);
    program.compressed = 1;
    program.shared = 1;
    const std::array added = {CopyItem(1, kScriptName, OverwriteMode::Always), program};
    script.installItems.insert(script.installItems.begin(), added.begin(), added.end());
    description.sources.insert(description.sources.begin(),
                               {ItemSource{{}, false, false, true, line},
                                ItemSource{uninstaller, false, false, false, line}});
    description.itemIds.insert(description.itemIds.begin(),
                               {"uninstaller's script copy", "uninstaller"});
    for (Component& component : script.components) {
        for (std::uint32_t& index : component.files) {
            // A number beyond the list stays beyond it.
            if (index <= std::numeric_limits<std::uint32_t>::max() - added.size()) {
                index += added.size();
            }
        }
    }
}

fs::path DefaultUninstaller(const fs::path& setupExe) {
    // Beside SETUP.EXE (an installed tool), or in the uninstaller's folder of the same Win32
    // build (src/shell[/dist]/SETUP.EXE -> src/uninstall[/dist]/KXUN32.EXE).
    const fs::path folder = setupExe.parent_path();
    const fs::path shell = folder.filename() == "dist" ? folder.parent_path() : folder;
    const fs::path uninstall = shell.parent_path() / "uninstall";
    const std::array candidates = {folder / kUninstallerName, uninstall / "dist" / kUninstallerName,
                                   uninstall / kUninstallerName};
    std::error_code code;
    for (const fs::path& candidate : candidates) {
        if (fs::is_regular_file(candidate, code)) {
            return candidate;
        }
    }
    return candidates[1];
}
