#pragma once

#include <string>
#include <string_view>

// The installed script's path from the uninstaller's arguments (the command line after the
// program's name). The registered command does not quote it and destinations hold spaces, so
// the path is the whole rest of the line: surrounding blanks go, and a path written in double
// quotes loses them.
[[nodiscard]] std::string ScriptPathFromArguments(std::string_view arguments);

// The script path a registered uninstall command names: what follows the program's name (the
// first ".EXE " in any case), as ScriptPathFromArguments reads it; empty when the command
// names no program.
[[nodiscard]] std::string ScriptPathOfCommand(std::string_view command);
