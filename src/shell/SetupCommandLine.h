#pragma once

#include <string>
#include <string_view>
#include <vector>

// The switches of SETUP.EXE. A command line is read as switches only when its first word is one
// of them; any other command line is ignored and the wizard runs as without one.
//
//   /silent                  no window: every choice from the answer file or the default
//   /answers:FILE            the answer file of a silent run
//   /record:FILE             a run of the wizard that writes the answers given to FILE
//   /disks:FOLDER[;FOLDER]   where a silent run looks for the later disks
//   /log:FILE                the log of a silent run (default: setup-run.log in the user's
//                            temporary folder)
//
// Switch names are compared without regard to case; each is given at most once; a value with
// blanks is written in double quotes (/log:"C:\My logs\setup.log").
enum class SetupMode { Wizard, Silent, Record };

struct SetupCommandLine {
    SetupMode mode = SetupMode::Wizard;
    std::string answersPath;
    std::string recordPath;
    std::vector<std::string> diskFolders;
    std::string logPath;
    // What is wrong with a command line of switches: empty when it is good or not switches.
    std::string error;
};

[[nodiscard]] SetupCommandLine ParseSetupCommandLine(std::string_view arguments);
