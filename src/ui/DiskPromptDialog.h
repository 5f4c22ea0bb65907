#pragma once

#include "script/FixedText.h"
#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <windows.h>

// Asks for the disk labelled diskLabel, modal over owner (MainWindow, restored first when
// minimised), with the source directory to read it from, into result: 1 once a valid directory
// has been stored in sourceDirectory (as a full path), IDCANCEL after a confirmed cancel. The
// title and text are the script's disk-prompt texts; script null: not loaded yet. Fails as
// RunModalDialog does.
Failure DiskPromptDialog(HWND owner, const SetupScript* script, const char* diskLabel,
                         FixedText& sourceDirectory, INT_PTR& result);
