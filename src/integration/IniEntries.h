#pragma once

#include "integration/InstallLog.h"
#include "script/ScriptModel.h"

// Writes the script's INI entries in list order through the platform's profile interface and
// logs each one as "Added [<section>], <key>=<value> to file <file>.": a key with a value sets
// it, a key without a value removes the key, an empty key removes the whole section. A file
// name without a directory names a file in the Windows directory. Failures are silent and the
// line is logged regardless.
void WriteIniEntries(const SetupScript& script, InstallLog& log);
