#include "Commands.h"

#include "CompileCommand.h"
#include "DumpCommand.h"

void AddCommands(CLI::App& app, CommandResult& result) {
    AddCompileCommand(app, result);
    AddDumpCommand(app, result);
}
