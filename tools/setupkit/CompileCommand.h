#pragma once

#include "Commands.h"

#include <filesystem>

// setupkit compile PRODUCT.toml -o SETUP.INF. Warnings go to stderr as
// "FILE:LINE: warning: field: problem"; a fault throws ToolError and nothing is written.
[[nodiscard]] CommandResult CompileProduct(const std::filesystem::path& description,
                                           const std::filesystem::path& output);

void AddCompileCommand(CLI::App& app, ChosenCommand& chosen);
