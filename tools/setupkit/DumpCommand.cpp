#include "DumpCommand.h"

#include "DescriptionWriter.h"
#include "script/ScriptLoader.h"
#include "script/SetupError.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

CommandResult DumpScript(const fs::path& script, std::ostream& out, std::ostream& err) {
    std::ifstream file(script, std::ios::binary);
    if (!file) {
        err << "setupkit dump: " << script.string() << ": cannot open the file\n";
        return CommandResult::BadInput;
    }
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    if (file.bad()) {
        err << "setupkit dump: " << script.string() << ": cannot read the file\n";
        return CommandResult::BadInput;
    }
    std::size_t parsed = 0;
    SetupScript loaded;
    try {
        loaded = ParseSetupScript(image, &parsed);
    } catch (const SetupError& error) {
        err << "setupkit dump: " << script.string() << ": not a loadable setup script (error "
            << error.code() << "): " << error.reason() << '\n';
        return CommandResult::BadInput;
    }
    if (parsed < image.size()) {
        err << "setupkit dump: " << script.string() << ": warning: " << image.size() - parsed
            << " bytes after the uninstall entry are ignored and not part of the description\n";
    }
    out << WriteProductDescription(loaded, script.filename().string());
    return CommandResult::Success;
}

void AddDumpCommand(CLI::App& app, CommandResult& result) {
    auto scriptPath = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("dump", "Print a setup script as a product description (TOML)");
    command->add_option("script", *scriptPath, "the setup script (SETUP.INF)")->required();
    command->callback(
        [scriptPath, &result] { result = DumpScript(*scriptPath, std::cout, std::cerr); });
}
