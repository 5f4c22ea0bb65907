#pragma once

#include "script/ScriptModel.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The names that files and folders get on Windows (and on the disks), and what Windows refuses
// in them or cannot tell apart. Names are ANSI bytes as the script stores them; problems are
// worded to follow a name: "names the device CON".

// Why Windows cannot take name as the name of one file or folder: it is empty, "." or "..",
// holds a character Windows does not allow (< > : " / \ | ? * or a control character), ends
// in a dot or a space (which Windows drops), or is a device's name (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9) whole or before an extension, in any case. Nothing when it is fine.
[[nodiscard]] std::optional<std::string> WindowsNameProblem(std::string_view name);

// The same for each part of a relative path whose parts backslashes separate.
[[nodiscard]] std::optional<std::string> WindowsPathProblem(std::string_view path);

// The problem of an install item's name, for an item that reads its file from the disks (a
// copy installs it under that name); nothing for the others, whose name is a path to delete
// or a command.
[[nodiscard]] std::optional<std::string> ItemNameProblem(const InstallItem& item);

// Copy items that land in one folder under names equal but for case, so that one would replace
// the other: pairs of install-list positions, the earlier first, one pair for each later item.
// spellings (parallel to the items, or empty for their names) tell files apart whose names are
// the same: two items spelt alike are one file installed twice, which is no collision.
[[nodiscard]] std::vector<std::pair<std::size_t, std::size_t>>
CaseCollisions(const SetupScript& script, std::span<const std::string> spellings = {});
