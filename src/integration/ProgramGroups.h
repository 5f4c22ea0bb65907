#pragma once

#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"
#include "script/ScriptModel.h"

#include <windows.h>

// Creates the script's program groups and their items in the program manager over DDE, in
// list order: for group n, "[CreateGroup(name)]", the log line "CreatedGroup  name", the
// desktop shown, "[ShowGroup(name,1)]", then for each item of group n "[DeleteItem("name")]"
// (an older item of that name goes), "[AddItem(command,name,icon,index,-1,-1,directory)]" and
// the log line "\tCreated GroupItem  name". Items of no existing group are never added. When
// the program manager cannot be reached the user is told in a box owned by owner, nothing is
// created, and the installation goes on. Each group is noted in record with whether it was
// there before (the program manager's list of groups), and each item added.
void CreateProgramGroups(const SetupScript& script, InstallLog& log, RemovalRecord& record,
                         HWND owner);
