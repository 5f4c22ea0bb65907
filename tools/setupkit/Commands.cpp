#include "Commands.h"

void AddCommands(CLI::App& app, CommandResult& result) {
    (void)app;
    (void)result;
}
