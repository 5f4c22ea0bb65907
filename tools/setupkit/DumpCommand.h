#pragma once

#include "Commands.h"

#include <filesystem>
#include <ostream>

// setupkit dump SETUP.INF: the script as a product description on out. Throws ToolError for a
// file that is not a loadable script.
[[nodiscard]] CommandResult DumpScript(const std::filesystem::path& script, std::ostream& out);

void AddDumpCommand(CLI::App& app, ChosenCommand& chosen);
