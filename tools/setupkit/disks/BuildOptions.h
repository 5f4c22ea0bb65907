#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The compiled script's name on disk 1, beside SETUP.EXE.
inline constexpr const char* kScriptName = "SETUP.INF";
inline constexpr const char* kSetupExeName = "SETUP.EXE";

enum class ShowProgress { No, Yes };
enum class MakeImages { No, Yes };

struct BuildOptions {
    std::filesystem::path outputDirectory;
    // --capacity: overrides the description's [disks] capacity (an empty inner value means
    // unlimited).
    std::optional<std::optional<std::uint64_t>> capacity;
    std::filesystem::path setupExe; // the program that goes on disk 1
    ShowProgress progress = ShowProgress::No;
    MakeImages images = MakeImages::No;
};

// Where SETUP.EXE is looked for when --setup-exe is not given: installed, in
// <prefix>/share/setupkit beside <prefix>/bin/setupkit; else in the shipped 32-bit build beside
// the build of this tool, <build>/dist32/src/shell/dist/SETUP.EXE (stripped of debug
// information). Empty when the tool's own path is unknown.
std::filesystem::path DefaultSetupExe();

// Where the tool's companions are, from its own path: installed, <prefix>/share/setupkit beside
// <prefix>/bin/setupkit; in the build tree, the build folder of <build>/tools/setupkit/setupkit.
// Either may not exist; both are empty when the tool's own path is unknown.
struct ToolFolders {
    std::filesystem::path share;
    std::filesystem::path build;
};
[[nodiscard]] ToolFolders FindToolFolders();

// The --capacity option: 360K, 720K, 1.2M, 1.44M, 2.88M, unlimited (none) or a number of bytes.
// Throws ToolError for anything else.
[[nodiscard]] std::optional<std::uint64_t> CapacityOption(const std::string& text);
