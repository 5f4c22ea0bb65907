#include "Commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string_view>

// Exit codes: 0 success, 1 usage, 2 bad input.
int main(int argc, char** argv) {
    CLI::App app{"setupkit: build distribution disks for SETUP.EXE from a product description"};
    app.set_version_flag("--version", std::string("setupkit ") + SETUPKIT_VERSION);
    app.require_subcommand(1);

    CommandResult result = CommandResult::Success;
    AddCommands(app, result);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        // `test` keeps 1 for an installer that failed: its usage errors are bad input.
        const bool test = argc > 1 && std::string_view(argv[1]) == "test";
        return static_cast<int>(test ? CommandResult::BadInput : CommandResult::Usage);
    }
    return static_cast<int>(result);
}
