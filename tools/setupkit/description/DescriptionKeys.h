#pragma once

#include <string_view>

// The names of the description's tables, and the keys that the tables of several sections
// share, each spelled once for the reader and the writer. A section's own keys are in its file.

// The top-level tables and arrays of tables, in the order the unknown-key message lists them.
struct TableNames {
    static constexpr std::string_view kProduct = "product";
    static constexpr std::string_view kUnused = "unused";
    static constexpr std::string_view kWelcome = "welcome";
    static constexpr std::string_view kDestination = "destination";
    static constexpr std::string_view kDiskPrompt = "disk_prompt";
    static constexpr std::string_view kSuccess = "success";
    static constexpr std::string_view kFailure = "failure";
    static constexpr std::string_view kCancel = "cancel";
    static constexpr std::string_view kBackground = "background";
    static constexpr std::string_view kSideBitmap = "side_bitmap";
    static constexpr std::string_view kReadme = "readme";
    static constexpr std::string_view kCompletion = "completion";
    static constexpr std::string_view kDisks = "disks";
    static constexpr std::string_view kDirectory = "directory";
    static constexpr std::string_view kProgramGroups = "program_groups";
    static constexpr std::string_view kProgramItem = "program_item";
    static constexpr std::string_view kInstall = "install";
    static constexpr std::string_view kFinalProgram = "final_program";
    static constexpr std::string_view kRegistry = "registry";
    static constexpr std::string_view kComponent = "component";
    static constexpr std::string_view kSetupTypes = "setup_types";
    static constexpr std::string_view kIni = "ini";
    static constexpr std::string_view kSystemChanges = "system_changes";
    static constexpr std::string_view kUninstall = "uninstall";
    static constexpr std::string_view kDefine = "define";
    static constexpr std::string_view kTree = "tree";
    static constexpr std::string_view kSigning = "signing";
};

struct SharedKeys {
    // An entry's id, by which other entries refer to it.
    static constexpr std::string_view kId = "id";
    // A file or folder named relative to the description.
    static constexpr std::string_view kSource = "source";
    // Marks what dump writes as the script holds it, though SETUP.EXE cannot use it.
    static constexpr std::string_view kVerbatim = "verbatim";
    // The settings of an [[install]] item that a [[tree]] gives each of its files.
    static constexpr std::string_view kDirectory = "directory";
    static constexpr std::string_view kOverwrite = "overwrite";
    static constexpr std::string_view kCompressed = "compressed";
    static constexpr std::string_view kReadOnly = "read_only";
    static constexpr std::string_view kShared = "shared";
    static constexpr std::string_view kSourceSubdir = "source_subdir";
    // An [[install]] item's disk, read where disk references are.
    static constexpr std::string_view kDisk = "disk";
    // The components a [[tree]]'s files join.
    static constexpr std::string_view kComponents = "components";
};
