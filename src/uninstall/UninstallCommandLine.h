#pragma once

#include <string>
#include <string_view>

// The installed script's path from the uninstaller's arguments (the command line after the
// program's name). The registered command does not quote it and destinations hold spaces, so
// the path is the whole rest of the line: surrounding blanks go, and a path written in double
// quotes loses them.
[[nodiscard]] std::string ScriptPathFromArguments(std::string_view arguments);
