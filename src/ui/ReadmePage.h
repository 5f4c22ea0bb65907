#pragma once

#include <windows.h>

// Template 1053: the script's read-me file from the source directory, as it stands. The
// creation parameter is the page's PageContext.
extern const DLGPROC ReadmePageProc;
