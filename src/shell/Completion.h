#pragma once

#include <cstdint>

enum class FinishFlag {
    Incomplete = 0, // a failed or cancelled run: only the main window is destroyed
    Complete = 1,   // after the install run: groups, system files, registry, INI, messages
};

// The one way a run ends: always destroys MainWindow, once. After a complete run it first
// creates the program groups (asking first when the script says so), applies the system-file
// changes, writes the registry and INI entries, registers the uninstaller, shows the success
// or failure message, starts the final programs and asks about a restart or reboot. A
// SetupError from those steps is reported like any other error of the flow and ends the run.
void FinishSetup(FinishFlag flag);

// Loads EDITSYS.DLL from the destination directory, hands it every system-file change and its
// final call, logs the text it answers, unloads and deletes it (the file is deleted however
// this ends). Nonzero when the changes succeeded; 1 without loading anything when the script
// has no changes; 0 when the library cannot be loaded or lacks Init or MakeSystemFileChange.
[[nodiscard]] std::uint32_t RunSystemFileChanges();

// Starts the script's final programs without waiting for them, then asks about a reboot
// (completion flag bit 3) or, without that bit, a restart of Windows (bit 0).
void RunProgramsAndRestart();

// Enables the shutdown privilege and asks the system to reboot. Results are not examined: if
// the system refuses, the program simply ends.
void RebootComputer();
