#pragma once

#include <windows.h>

// Tells that a drive lacks space (message, formatted by the caller), modal over MainWindow:
// 1 to install anyway (Continue), IDC_SPACE_BACK (1019) to go back to the destination page,
// IDABORT (3) to end after a confirmed Exit.
[[nodiscard]] INT_PTR NotEnoughSpaceDialog(const char* message);
