#include "engine/Accounting.h"

#include "engine/PathRules.h"

#include <algorithm>

namespace {

// The drive of the item's directory, or null when the item has no directory or its drive is
// not listed.
template <typename Drives>
auto ItemDrive(const SetupScript& script, Drives& drives, const InstallItem& item)
    -> decltype(&drives[0]) {
    const DirectoryEntry* directory = ItemDirectory(script, item);
    if (!directory || directory->driveIndex >= drives.size()) {
        return nullptr;
    }
    return &drives[directory->driveIndex];
}

} // namespace

void ExpandStartupStrings(SetupScript& script, const MacroValues& macros) {
    if (!script.directories.empty()) {
        ExpandMacros(script.directories[0].path, macros);
    }
    // The other texts see the destination as just expanded.
    MacroValues now = macros;
    if (!script.directories.empty()) {
        now.destinationDirectory = script.directories[0].path.View();
    }
    for (FixedText* text : {&script.failureCaption, &script.failureText, &script.destinationTitle,
                            &script.productName, &script.destinationText, &script.welcomeTitle,
                            &script.welcomeText}) {
        ExpandMacros(*text, now);
    }
}

void ResolveDirectories(SetupScript& script, std::string_view destinationRoot,
                        const MacroValues& macros) {
    for (std::size_t i = 1; i < script.directories.size(); ++i) {
        DirectoryEntry& entry = script.directories[i];
        entry.path = entry.templatePath;
        const std::string_view path = entry.path.View();
        if (path.find('?') != std::string_view::npos) {
            ExpandMacros(entry.path, macros);
            continue;
        }
        std::string_view relative = path;
        if (!relative.empty() && relative.front() == '\\') {
            relative.remove_prefix(1);
        }
        if (relative.find(':') == std::string_view::npos) {
            entry.path.Assign(std::string(destinationRoot) + std::string(relative));
        }
    }
}

Failure BuildDriveList(SetupScript& script, std::vector<DriveEntry>& drives,
                       const VolumeRootFunction& volumeRoot,
                       const ChangeDirectoryFunction& changeDirectory) {
    drives.clear();
    drives.reserve(script.directories.size());
    for (DirectoryEntry& entry : script.directories) {
        std::string root;
        if (Failure failure = volumeRoot(entry.path.View(), root)) {
            return failure;
        }
        if (!root.empty() && root.back() == '\\') {
            root.pop_back();
        }
        if (&entry == &script.directories.front()) {
            changeDirectory(root);
        }
        if (const auto index = FindDrive(drives, root)) {
            entry.driveIndex = static_cast<std::uint32_t>(*index);
        } else {
            entry.driveIndex = static_cast<std::uint32_t>(drives.size());
            drives.push_back({root, 0});
        }
    }
    for (const InstallItem& item : script.installItems) {
        if (!IsItemSelected(item)) {
            continue;
        }
        if (DriveEntry* drive = ItemDrive(script, drives, item)) {
            drive->requiredBytes += item.size;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindDrive(const std::vector<DriveEntry>& drives, std::string_view root) {
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (SamePathText(drives[i].rootPath, root)) {
            return i;
        }
    }
    return std::nullopt;
}

const DirectoryEntry* ItemDirectory(const SetupScript& script, const InstallItem& item) {
    if (item.dirIndex == 0 || item.dirIndex > script.directories.size()) {
        return nullptr;
    }
    return &script.directories[item.dirIndex - 1];
}

void ResetInstallCounts(SetupScript& script) {
    for (InstallItem& item : script.installItems) {
        item.installCount = kInstallAlways;
    }
    for (const Component& component : script.components) {
        for (std::uint32_t index : component.files) {
            script.installItems.at(index).installCount = 0;
        }
    }
}

void ApplySetupType(SetupScript& script, std::uint32_t setupType) {
    if (setupType != kSetupTypical && setupType != kSetupMinimal) {
        return;
    }
    ResetInstallCounts(script);
    for (Component& component : script.components) {
        const bool member = setupType == kSetupMinimal ? component.inMinimal : component.inTypical;
        // The ticks follow the type too, so that a custom page opened after it (Back from the
        // space check, then Custom) shows exactly what its counts will install.
        component.selected = member ? 1 : 0;
        if (!member) {
            continue;
        }
        for (std::uint32_t index : component.files) {
            ++script.installItems.at(index).installCount;
        }
    }
}

const DriveEntry* ComponentDrive(const SetupScript& script, const std::vector<DriveEntry>& drives,
                                 const Component& component) {
    if (component.files.empty()) {
        return nullptr;
    }
    return ItemDrive(script, drives, script.installItems.at(component.files.front()));
}

void ToggleComponent(SetupScript& script, std::vector<DriveEntry>& drives, Component& component) {
    component.selected = component.selected ? 0 : 1;
    for (std::uint32_t index : component.files) {
        InstallItem& item = script.installItems.at(index);
        DriveEntry* drive = ItemDrive(script, drives, item);
        if (component.selected) {
            // A count of -1 (no component) cannot occur for a listed item; 0 becomes 1.
            if (item.installCount < 0) {
                item.installCount = 0;
            }
            if (++item.installCount == 1 && drive) {
                drive->requiredBytes += item.size;
            }
        } else if (item.installCount > 0) {
            if (--item.installCount == 0 && drive) {
                drive->requiredBytes -= std::min<std::uint64_t>(drive->requiredBytes, item.size);
            }
        }
    }
}
