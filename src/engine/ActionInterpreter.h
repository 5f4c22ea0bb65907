#pragma once

#include "engine/InstallHost.h"
#include "script/ScriptModel.h"

#include <string>

// The install list run as a small program: each item copies a file, shows or hides a
// billboard picture, deletes a file or runs a program, and a failure becomes the user's
// decision to go on or to cancel.

// The questions, notices and records go to the context's host.

// Carries out one item: asks for the next disk when the item is on another disk than the one
// in the drive, builds its source path and performs its action. A locked file the user chose
// to ignore, or a failure the user chose to go past, clears allFilesInstalled and returns;
// failures of the picture and delete actions pass without a question. Fails with 3 when the
// installation is to be cancelled.
Failure ProcessInstallItem(const InstallContext& context, InstallItem& item);

// Performs the item's action from sourcePath and, when it did not fail, writes its line to
// the install log (for a Copy or Delete that was done).
Failure PerformItemAction(const InstallContext& context, InstallItem& item,
                          const std::string& sourcePath);

// Asks whether to go on after the item failed: "Setup was unable to install ..." for a Copy,
// "Unable to execute ..." for a Run action; Yes clears allFilesInstalled and returns, No fails
// with 3. Other actions return at once without a question.
Failure ItemFailurePrompt(const InstallContext& context, const InstallItem& item,
                          const std::string& sourcePath);
