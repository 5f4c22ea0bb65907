#pragma once

#include "script/FixedText.h"
#include "script/PathMacros.h"
#include "script/ScriptModel.h"
#include "engine/Accounting.h"
#include "engine/AnswerFile.h"
#include "engine/CopyRules.h"
#include "integration/InstallLog.h"
#include "integration/RemovalRecord.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class BitmapControl;

// The one global record of the program. The script's texts and lists live in `script`; the
// destination directory is script.directories[0].path (see DestinationDirectory()).
// Fields get their initial values here; SetupLifetime restores them at start-up.
struct SetupState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND currentPage = nullptr;
    BitmapControl* bitmapControl = nullptr;
    HWND bitmapWindow = nullptr;
    HWND progressWindow = nullptr;

    SetupScript script;
    bool scriptLoaded = false;

    // Standard directories and the script's path.
    FixedText windowsDirectory;
    FixedText systemDirectory;
    FixedText temporaryDirectory; // always ends with a backslash
    FixedText programFilesDirectory;
    FixedText sourceDirectory; // ends with a backslash
    FixedText scriptPath;
    FixedText destinationRoot; // volume root of the destination, with its backslash

    // The user's choices and run-time flags.
    std::uint32_t setupType = kSetupTypical;
    bool createGroups = true;
    bool allFilesInstalled = true;
    std::uint32_t currentDisk = 1;
    RememberedChoice fileExists; // the file-exists answer kept for all later files
    std::vector<DriveEntry> drives;

    // An unattended run: no window is shown, the answers stand in for the user, and the run
    // ends with exitCode (SilentExitCode).
    bool silent = false;
    Answers answers;
    int exitCode = 0;
    std::vector<std::string> diskFolders; // where an unattended run looks for later disks
    std::string recordPath;               // a run of the wizard that records its answers here

    InstallLog installLog;       // closed until the install run opens it
    RemovalRecord removalRecord; // what the install run made, for its removal

    // The destination directory: the resolved path of the first directory entry. A script
    // without directories is refused at start-up, so the entry exists whenever a page runs.
    FixedText& DestinationDirectory() { return script.directories.at(0).path; }

    // The script once it is loaded; null before.
    const SetupScript* LoadedScript() const { return scriptLoaded ? &script : nullptr; }

    // The values the path macros insert at this moment.
    MacroValues Macros() const;
};

extern SetupState g_setup;
