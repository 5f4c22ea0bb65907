#pragma once

#include "script/ScriptModel.h"

#include <cstdint>
#include <string>
#include <vector>

// The inverse of ParseSetupScript: the script's bytes, version word and checksum included.
// Run-time fields (created, driveIndex, done, installedPath, installCount, selected,
// totalSize) are not part of the format and are not written.
std::vector<std::uint8_t> WriteSetupScript(const SetupScript& script);

// Lists that do not fit the format's counts (255 for byte counts, 65535 for word counts),
// as messages naming the section; empty when the script can be written.
std::vector<std::string> CheckScriptCounts(const SetupScript& script);
