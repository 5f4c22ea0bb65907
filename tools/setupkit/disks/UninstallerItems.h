#pragma once

#include "ProductDescription.h"

#include <filesystem>

// The uninstaller's place on the disks. SETUP.EXE registers "?W\KXUN32.EXE ?D\SETUP.INF" as the
// product's uninstall command but copies neither file by itself: these items do.

// Puts two install items first in the install list, in no component, so that every setup type
// installs them from disk 1: KXUN32.EXE from uninstaller, compressed, shared and replaced only by
// a newer one, into the Windows directory; and the compiled script itself into the destination,
// always replaced. A directory "?W" is appended when the script has none. Throws ToolError when
// the uninstaller cannot be read.
void AddUninstallerItems(ProductDescription& description, const std::filesystem::path& uninstaller);

// Where KXUN32.EXE is looked for when --uninstaller is not given: beside setupExe, else in the
// same Win32 build (<build>/src/uninstall/dist/KXUN32.EXE or <build>/src/uninstall/KXUN32.EXE).
[[nodiscard]] std::filesystem::path DefaultUninstaller(const std::filesystem::path& setupExe);
