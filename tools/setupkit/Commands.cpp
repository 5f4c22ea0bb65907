#include "Commands.h"

#include "CompileCommand.h"
#include "DiskCommands.h"
#include "DumpCommand.h"
#include "NewCommand.h"
#include "TestCommand.h"

void AddCommands(CLI::App& app, CommandResult& result) {
    AddCompileCommand(app, result);
    AddDumpCommand(app, result);
    AddCompressCommand(app, result);
    AddExpandCommand(app, result);
    AddBuildCommand(app, result);
    AddNewCommand(app, result);
    AddTestCommand(app, result);
}
