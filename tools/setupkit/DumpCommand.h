#pragma once

#include "Commands.h"

#include <filesystem>
#include <ostream>

// setupkit dump SETUP.INF: the script as a product description on out.
CommandResult DumpScript(const std::filesystem::path& script, std::ostream& out, std::ostream& err);

void AddDumpCommand(CLI::App& app, CommandResult& result);
