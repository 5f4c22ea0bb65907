#pragma once

#include <windows.h>

// Template 143: the script's welcome title and text; Back is disabled. The creation parameter
// is the page's PageContext.
extern const DLGPROC WelcomePageProc;
