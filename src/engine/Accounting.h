#pragma once

#include "script/PathMacros.h"
#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which files are installed and how many bytes each drive must receive. Totals are 64-bit so
// that large products and large volumes never wrap; figures shown keep K = 1000 bytes.

// The setup-type page's radio-button ids, which are also the values of the setup type.
enum SetupTypeId : std::uint32_t {
    kSetupTypical = 1042,
    kSetupMinimal = 1043,
    kSetupCustom = 1044,
};

struct DriveEntry {
    std::string rootPath; // the volume root without its trailing backslash, e.g. "C:"
    std::uint64_t requiredBytes = 0;
};

// The volume root of a path with its trailing backslash, into root; fails with 5000 when the
// path's volume cannot be queried.
using VolumeRootFunction = std::function<Failure(std::string_view path, std::string& root)>;

// Makes root (a volume root without its trailing backslash, e.g. "C:") the current directory;
// its result is not looked at.
using ChangeDirectoryFunction = std::function<void(const std::string& root)>;

// Expands the macros of the destination and of the texts the first pages show.
void ExpandStartupStrings(SetupScript& script, const MacroValues& macros);

// Recomputes every directory after the first from its template: a template with a macro is
// expanded; one without a colon goes below the destination's volume root (one leading
// backslash dropped); one with a colon stays as written.
void ResolveDirectories(SetupScript& script, std::string_view destinationRoot,
                        const MacroValues& macros);

// Rebuilds the drive list from the directories and totals the bytes of the items that will
// be processed, per drive. Items whose directory number names no directory count nowhere.
// The first directory's root becomes the current directory as soon as it is known, so that a
// later directory without a drive (such as "\SHARED") lies on the destination's drive. Fails
// as volumeRoot does.
Failure BuildDriveList(SetupScript& script, std::vector<DriveEntry>& drives,
                       const VolumeRootFunction& volumeRoot,
                       const ChangeDirectoryFunction& changeDirectory);

// Index of the drive with this root (case-insensitive), if listed.
std::optional<std::size_t> FindDrive(const std::vector<DriveEntry>& drives, std::string_view root);

// The directory entry an item's 1-based directory number names, or null when it names none.
const DirectoryEntry* ItemDirectory(const SetupScript& script, const InstallItem& item);

// Whether the copy pass processes the item.
inline bool IsItemSelected(const InstallItem& item) {
    return item.installCount == kInstallAlways || item.installCount > 0;
}

// Every item of a component gets count 0, every other item -1. Component totals are kept.
void ResetInstallCounts(SetupScript& script);

// Typical or Minimal: the counts and the components' ticks follow their membership of that type.
// Custom: the counts and ticks the custom page left stand.
void ApplySetupType(SetupScript& script, std::uint32_t setupType);

// The drive of a component's first item, for the custom page's space lines; none when the
// component lists no item or its item has no directory.
const DriveEntry* ComponentDrive(const SetupScript& script, const std::vector<DriveEntry>& drives,
                                 const Component& component);

// Ticks or clears a component on the custom page, keeping counts and drive totals in step.
void ToggleComponent(SetupScript& script, std::vector<DriveEntry>& drives, Component& component);
