#pragma once

#include "Result.h"
#include "SigningSettings.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The product description: a TOML file that names every field of the compiled script in
// readable words (docs/product-description.md). Loading it gives the script with every number
// resolved, and beside it what `build` needs to lay out the disks: the source files and the
// disk options.

struct ItemSource {
    std::filesystem::path file; // resolved against the description's folder; empty: none
    bool sizeGiven = false;     // `size` was written; otherwise the size is the file's
    bool diskGiven = false;     // `disk` was written; otherwise the item is on disk 1
    bool scriptCopy = false;    // the item copies the compiled script itself from disk 1
    std::uint32_t line = 0;     // the entry ([[install]] or [[tree]]) it comes from
};

// How `build` spreads the files over disks.
struct DiskLayout {
    std::optional<std::uint64_t> capacity; // bytes per disk; none: unlimited (one disk)
    std::string labelPattern;              // ANSI; %d stands for the disk number; empty: none
};

struct ProductDescription {
    SetupScript script;              // every field filled, numbers resolved
    std::vector<ItemSource> sources; // parallel to script.installItems
    std::filesystem::path readme;    // source files; empty: none
    std::filesystem::path backgroundBitmap;
    std::filesystem::path sideBitmap;
    std::filesystem::path baseDirectory; // the description's folder
    std::vector<std::string> itemIds;    // parallel to script.installItems; UTF-8, empty: none
    DiskLayout disks;
    // `build` adds the items that install the uninstaller and the script copy it reads
    // (the uninstall entry's `uninstaller`, on by default when there is an entry).
    bool addUninstaller = false;
    // [signing]: how build signs the programs on disk 1 (a build setting, not in the script).
    SigningSettings signing;
    // Things that load but will not work as meant.
    std::vector<SourceError> warnings;
    // Things SETUP.EXE cannot use that a loadable script may still hold (so that a dumped
    // script compiles back, with a warning): `build`, which makes a product for its users,
    // refuses them.
    std::vector<SourceError> unusable;
    std::string fileName; // as messages name the description
    // The line of each top-level table that build's messages may point at ("readme", "disks",
    // ...); absent tables are not listed.
    std::map<std::string, std::uint32_t> tableLines;
};

// A source error names the file, the line and the field.
[[nodiscard]] Result<ProductDescription> LoadProductDescription(const std::filesystem::path& file);

// The same from text already read: fileName is used in messages, baseDirectory resolves the
// source files.
[[nodiscard]] Result<ProductDescription>
ParseProductDescription(std::string_view text, const std::string& fileName,
                        const std::filesystem::path& baseDirectory);

// Disk capacities: "1.44M", "1.2M", "720K", "360K", "2.88M" or a number of bytes; none for
// "unlimited". Returns false for anything else.
bool ParseDiskCapacity(std::string_view text, std::optional<std::uint64_t>& capacity);

// The label of a disk from DiskLayout::labelPattern: %d becomes the disk number, %% a percent
// sign (the loader has checked that nothing else follows a percent sign).
std::string DiskLabelFromPattern(std::string_view pattern, std::uint32_t disk);
