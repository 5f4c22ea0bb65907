#pragma once

#include "uninstall/RemovalReport.h"

#include <windows.h>

#include <span>
#include <vector>

// One program item or group to take out of the program manager.
struct GroupRemoval {
    std::string group;
    std::string item; // empty: the group itself, created by the installation
};

// Takes the program items and groups out of the program manager over DDE: for each item, its
// group is made current ("[CreateGroup("group")]", which selects a group that exists) and
// "[DeleteItem("name")]" removes it; a group goes ("[DeleteGroup("group")]") only when its
// folder holds nothing any more. Names are quoted, and the plan admits none that holds a quote,
// bracket, parenthesis or comma, so no name can end a command. Groups whose folder is already
// gone are passed over, so that nothing is created again. When the program manager does not
// answer (the user is told in a box owned by owner, unless mayTell is false) every removal is
// kept.
[[nodiscard]] std::vector<KeptObject> RemoveProgramGroups(std::span<const GroupRemoval> removals,
                                                          HWND owner, bool mayTell = true);
