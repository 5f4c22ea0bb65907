#pragma once

#include "Commands.h"
#include "ProductDescription.h"
#include "disks/DiskBuilder.h"
#include "disks/ToolFiles.h"

#include <filesystem>
#include <optional>
#include <string>

// What `build` and `test` share: loading the author's description, making its disks, and
// reporting what stopped them.

// The description with its warnings printed; nothing, with its fault printed, when it cannot
// be loaded.
[[nodiscard]] std::optional<ProductDescription> LoadDescriptionForCommand(const std::string& path);

// Adds the uninstaller's items to a product with an uninstall entry (uninstaller: the
// KXUN32.EXE to ship, empty for the one beside SETUP.EXE), builds the disks and prints the
// build's warnings.
BuildReport BuildProductDisks(ProductDescription& description, const BuildOptions& options,
                              const std::filesystem::path& uninstaller);

// Prints a fault: one of the description starts with its name and line, like the loader's;
// others (options, folders, SETUP.EXE) say which command met them. Returns BadInput.
CommandResult ReportToolError(const ToolError& error, const std::string& description,
                              const char* command);
