#pragma once

#include <windows.h>

// Template 100: shows the destination directory; it changes only through Browse and is
// validated on Next. The creation parameter is the page's PageContext.
extern const DLGPROC DestinationPageProc;
