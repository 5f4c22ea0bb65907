#include "Commands.h"
#include "ToolError.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The one place that prints a fault: one of the description starts with its name and line,
// like the loader's; others (options, folders, SETUP.EXE) say which command met them.
CommandResult ReportToolError(const ToolError& error, const ChosenCommand& command) {
    const std::string message = error.what();
    const bool located =
        !command.description.empty() && message.starts_with(command.description + ":");
    if (located) {
        std::fprintf(stderr, "%s\n", message.c_str());
    } else {
        std::fprintf(stderr, "setupkit %s: %s\n", command.name.c_str(), message.c_str());
    }
    return CommandResult::BadInput;
}

} // namespace

// Exit codes: 0 success, 1 usage (or, for `test`, an installer that did not pass, and for
// `verify`, a disk set with faults), 2 bad input.
int main(int argc, char** argv) {
    CLI::App app{"setupkit: build distribution disks for SETUP.EXE from a product description"};
    app.set_version_flag("--version", std::string("setupkit ") + SETUPKIT_VERSION);
    app.require_subcommand(1);

    ChosenCommand command;
    AddCommands(app, command);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        // `test` and `verify` keep 1 for what they found: their usage errors are bad input.
        const bool judging = argc > 1 && (std::string_view(argv[1]) == "test" ||
                                          std::string_view(argv[1]) == "verify");
        return static_cast<int>(judging ? CommandResult::BadInput : CommandResult::Usage);
    }
    try {
        return static_cast<int>(command.run());
    } catch (const ToolError& error) {
        return static_cast<int>(ReportToolError(error, command));
    }
}
