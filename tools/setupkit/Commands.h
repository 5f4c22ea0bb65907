#pragma once

#include <CLI/CLI.hpp>

enum class CommandResult : int {
    Success = 0,
    Usage = 1,
    Failed = 1, // `test`: the installer did not pass
    BadInput = 2,
};

// Each command adds its subcommand to the app; the callback stores the command's result.
// The commands live in files of their own (CompileCommand.cpp, DumpCommand.cpp, ...).
void AddCommands(CLI::App& app, CommandResult& result);
