#pragma once

#include "integration/UninstallCommand.h"

#include <optional>
#include <string>
#include <string_view>

// The uninstaller's arguments (the command line after the program's name): switches, then the
// installed script's path. A switch is one of these words, in any case, each at most once and
// each followed by a blank:
//   /silent         no window and no question: the removal goes on, and what would have been
//                   shown goes to the run's log
//   /log:PATH       the run's log file; /log:"PATH WITH SPACES" when the path holds blanks
//   /removeshared   shared files whose count falls to 0 go too (a silent run keeps them)
// The first word that is not one of them starts the path, which is the whole rest of the line.
struct UninstallArguments {
    bool silent = false;
    bool removeShared = false;
    std::optional<std::string> logPath; // nothing: the default log of a silent run
    std::string scriptPath;
};

[[nodiscard]] UninstallArguments ParseUninstallArguments(std::string_view arguments);

// The installed script's path from the text after the switches. The registered command does
// not quote it and destinations hold spaces, so the path is the whole rest of the line:
// surrounding blanks go, and a path written in double quotes loses them.
[[nodiscard]] std::string ScriptPathFromArguments(std::string_view arguments);

// The script path a registered uninstall command names: what follows the program's name (the
// first ".EXE " in any case), as ParseUninstallArguments reads it; empty when the command
// names no program.
[[nodiscard]] std::string ScriptPathOfCommand(std::string_view command);
