#pragma once

// The exit codes of a silent run (a run of the wizard keeps its own).
enum SilentExitCode : int {
    kSilentInstalled = 0,
    kSilentFailed = 1,           // failed or stopped: the case of the failure message
    kSilentScriptUnreadable = 2, // SETUP.INF could not be read
    kSilentRestartNeeded = 3,    // installed; Windows has to be restarted to finish
    kSilentBadArguments = 4,     // the command line or the answer file
    kSilentDiskMissing = 5,      // a later disk was found in none of the places looked at
};
