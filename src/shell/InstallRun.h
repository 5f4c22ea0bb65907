#pragma once

#include "engine/InstallHost.h"

#include <cstdint>
#include <string_view>

class ProgressRecord;

// The installation run proper, between the last page and the completion: the remaining
// macros, the directories, the install log and the copy pass with its progress window.

// Runs the installation and ends the run: with the completion after a pass without error,
// with the failure report (ReportSetupError) when a failure ends it early. Nothing is
// rolled back.
void RunInstall();

// Creates every directory of the script that does not exist yet, with its missing parents,
// in list order, and flags the ones it created; a drive root is never created. Leaves the
// current directory at the destination directory. Fails with 1 when a directory could not be
// created (the directories after it are not attempted) and 5000 when a directory's volume
// cannot be queried.
Failure CreateDirectories();

// The copy pass: every selected install item in list order under the progress window, which
// counts all items, selected or not. Cancel in the progress window ends the pass with a
// failure 3 once the item in hand is finished. An unattended run has no progress window and
// its own host.
Failure CopyPass();

// The items of the copy pass with host answering, each finished item counted in progress
// (none: no progress window). Fails as the first item that fails.
Failure CopyItems(InstallHost& host, ProgressRecord* progress);

// Asks for disk number disk (by its label) until relativePath is found below the source
// directory, which the user may change in the prompt; then that disk is the current one. An
// empty relativePath (an item that reads no file) is satisfied by the source directory itself.
// Fails with 3 when the user gives up.
Failure PromptForDisk(std::uint32_t disk, std::string_view relativePath);

// Asks for the current disk (by its label) while relativePath is not found below the source
// directory: the message that the file should be on that disk, with Retry and Cancel. True once
// the file is found, false when the user chooses Cancel. The disk count does not change.
bool PromptForCurrentDisk(std::string_view relativePath);
