#pragma once

#include <windows.h>

// Template 110: the name of the script's one program group, which the user may change or
// replace by a group the shell already has, or no group at all. The creation parameter is the
// page's PageContext.
extern const DLGPROC ProgramGroupPageProc;
