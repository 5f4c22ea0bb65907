#pragma once

#include "script/ScriptModel.h"

#include <string>
#include <string_view>

// Writes a script as a product description that compiles back to the same bytes: every field
// the format stores is written, raw byte values included where a flag or code is not one of
// its named values. Directories get ids dir1, dir2, ...; components name their files by the
// item's name where that is unique, else by a generated id; groups are named, disks numbered.
// origin, when not empty, is named in the opening comment.
std::string WriteProductDescription(const SetupScript& script, std::string_view origin = {});
