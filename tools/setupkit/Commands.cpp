#include "Commands.h"

#include "AnswersCommand.h"
#include "CompileCommand.h"
#include "DiskCommands.h"
#include "DumpCommand.h"
#include "NewCommand.h"
#include "TestCommand.h"
#include "VerifyCommand.h"

void AddCommands(CLI::App& app, ChosenCommand& chosen) {
    AddCompileCommand(app, chosen);
    AddDumpCommand(app, chosen);
    AddCompressCommand(app, chosen);
    AddExpandCommand(app, chosen);
    AddBuildCommand(app, chosen);
    AddAnswersCommand(app, chosen);
    AddNewCommand(app, chosen);
    AddTestCommand(app, chosen);
    AddVerifyCommand(app, chosen);
}
