#pragma once

#include <windows.h>

// Template 116: the script's components in the owner-drawn option list, each with a check box
// that selects it for installation, its description and the space its drive needs and has.
// The creation parameter is the page's PageContext.
extern const DLGPROC CustomPageProc;
