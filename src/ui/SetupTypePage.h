#pragma once

#include <windows.h>

// Template 120: Typical, Minimal and Custom with the script's labels; the types the script does
// not offer are hidden and the others move up. The creation parameter is the page's
// PageContext.
extern const DLGPROC SetupTypePageProc;
