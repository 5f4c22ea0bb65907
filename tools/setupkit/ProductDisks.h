#pragma once

#include "ProductDescription.h"
#include "disks/DiskBuilder.h"

#include <filesystem>
#include <string>

// What `compile`, `build` and `test` share: loading the author's description and making its
// disks.

// The description with its warnings printed. Throws ToolError "FILE:LINE: field: problem"
// when it cannot be loaded.
[[nodiscard]] ProductDescription LoadDescriptionForCommand(const std::string& path);

// Adds the uninstaller's items to a product with an uninstall entry (uninstaller: the
// KXUN32.EXE to ship, empty for the one beside SETUP.EXE), builds the disks and prints the
// build's warnings.
BuildReport BuildProductDisks(ProductDescription& description, const BuildOptions& options,
                              const std::filesystem::path& uninstaller);
