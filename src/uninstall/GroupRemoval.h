#pragma once

#include "integration/UndoPlan.h"
#include "uninstall/RemovalReport.h"

#include <windows.h>

#include <span>
#include <vector>

// Takes the program items and groups that the plan names out of the program manager over DDE:
// for each item, its group is made current ("[CreateGroup(group)]", which selects a group that
// exists) and "[DeleteItem("name")]" removes it; a group goes ("[DeleteGroup(group)]") only
// when its folder holds nothing any more. Groups whose folder is already gone are passed over,
// so that nothing is created again. When the program manager does not answer (the user is told
// in a box owned by owner) every step is kept.
[[nodiscard]] std::vector<KeptObject> RemoveProgramGroups(std::span<const UndoStep> steps,
                                                          HWND owner);
