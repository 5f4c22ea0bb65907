#pragma once

#include "script/PathMacros.h"
#include "script/ScriptModel.h"

// Replaces the path macros, in place, in the script texts that the installation and the
// completion use: the success caption and text, the two disk-prompt texts, every program
// group name, the four texts of every program item, every install item's name, the command
// line and working directory of every final program, the four texts of every INI entry, and
// the value of every system-file change of both lists. The texts shown before the
// installation were expanded at start-up.
void ExpandInstallStrings(SetupScript& script, const MacroValues& macros);
