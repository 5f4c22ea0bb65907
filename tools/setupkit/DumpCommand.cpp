#include "DumpCommand.h"

#include "DescriptionWriter.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "script/ScriptLoader.h"
#include "script/SetupError.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

CommandResult DumpScript(const fs::path& script, std::ostream& out) {
    const std::vector<std::uint8_t> image = ReadBinaryFile(script);
    std::size_t parsed = 0;
    SetupScript loaded;
    try {
        loaded = ParseSetupScript(image, &parsed);
    } catch (const ScriptRefused& error) {
        throw ToolError(script.string() + ": not a loadable setup script (error " +
                        std::to_string(error.code()) + "): " + error.text());
    }
    if (parsed < image.size()) {
        std::fprintf(stderr,
                     "setupkit dump: %s: warning: %zu bytes after the uninstall entry are ignored "
                     "and not part of the description\n",
                     script.c_str(), image.size() - parsed);
    }
    out << WriteProductDescription(loaded, script.filename().string());
    return CommandResult::Success;
}

void AddDumpCommand(CLI::App& app, ChosenCommand& chosen) {
    auto scriptPath = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("dump", "Print a setup script as a product description (TOML)");
    command->add_option("script", *scriptPath, "the setup script (SETUP.INF)")->required();
    command->callback([scriptPath, &chosen] {
        chosen = {"dump", "", [scriptPath] { return DumpScript(*scriptPath, std::cout); }};
    });
}
