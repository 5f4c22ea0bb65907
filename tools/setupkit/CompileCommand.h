#pragma once

#include "Commands.h"

#include <filesystem>
#include <ostream>

// setupkit compile PRODUCT.toml -o SETUP.INF. Source errors and warnings go to err as
// "FILE:LINE: field: problem"; on any error nothing is written.
CommandResult CompileProduct(const std::filesystem::path& description,
                             const std::filesystem::path& output, std::ostream& err);

void AddCompileCommand(CLI::App& app, CommandResult& result);
