#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

enum class CommandResult : int {
    Success = 0,
    Usage = 1,
    Failed = 1, // `test`: the installer did not pass
    BadInput = 2,
};

// The command that the arguments chose. main runs it after parsing them: it returns its
// outcome or throws ToolError, which main alone prints and turns into exit code BadInput.
struct ChosenCommand {
    std::string name; // "build"
    // The product description it reads, if any: a fault whose message starts with its name
    // and line is printed as it is, any other after "setupkit NAME: ".
    std::string description;
    std::function<CommandResult()> run;
};

// Each command adds its subcommand to the app; the callback chooses the command. The commands
// live in files of their own (CompileCommand.cpp, DumpCommand.cpp, ...).
void AddCommands(CLI::App& app, ChosenCommand& chosen);
