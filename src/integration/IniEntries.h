#pragma once

#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"
#include "script/ScriptModel.h"

#include <optional>
#include <string>
#include <string_view>

// Writes the script's INI entries in list order through the platform's profile interface and
// logs each one as "Added [<section>], <key>=<value> to file <file>.": a key with a value sets
// it, a key without a value removes the key, an empty key removes the whole section. A file
// name without a directory names a file in the Windows directory. Failures are silent and the
// line is logged regardless. An entry that sets a key is noted in record with the value it
// replaced and whether its file existed; one that removes something only as a note.
void WriteIniEntries(const SetupScript& script, InstallLog& log, RemovalRecord& record);

// Where the profile interface keeps a file: a name without a directory is the Windows
// directory's.
[[nodiscard]] std::string ProfileFilePath(std::string_view file);

// A key's value as the profile interface reads it; nothing when the key is missing (or longer
// than the reader takes).
[[nodiscard]] std::optional<std::string>
ReadIniValue(const std::string& file, const std::string& section, const std::string& key);

// Whether the section holds any line (a missing section holds none).
[[nodiscard]] bool IniSectionHasLines(const std::string& file, const std::string& section);
